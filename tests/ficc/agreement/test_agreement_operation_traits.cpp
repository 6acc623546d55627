#include "agreement/AgreementOperationTraits.h"

#include <gtest/gtest.h>

#include <string>

// One line per operation: its button and what of the page serves it.
TEST(AgreementOperationTraits, eachOperationHasItsButtonTablesAndRules)
{
    // C contracts, B bonds typed in, P positions, I intentions, D declarations
    // shown, Q declarations queried, S settles the contract, A amount typed.
    const struct
    {
        int type;
        int button;
        const char *flags;
    } rows[] = {
        { 14011, 1000, "--P-I----A" }, { 14012, 1000, "-B--I----A" }, { 14006, 1001, "--P--D---A" },
        { 14008, 1002, "C-------S-" }, { 14009, 1003, "C----DQ-S-" }, { 14010, 1004, "C----DQ--A" },
        { 14013, 1005, "C-P--DQ---" }, { 14015, 1006, "C----DQ-S-" },
    };
    for (const auto &r : rows) {
        const TC::AgreementOperationTraits *t = TC::agreementOperationTraits(r.type);
        ASSERT_NE(t, nullptr) << r.type;
        EXPECT_EQ(int(t->type), r.type);
        EXPECT_EQ(t->buttonId, r.button) << r.type;
        std::string flags;
        flags += t->listsContracts ? 'C' : '-';
        flags += t->takesNewBonds ? 'B' : '-';
        flags += t->takesPositions ? 'P' : '-';
        flags += '-';
        flags += t->listsIntentions ? 'I' : '-';
        flags += t->listsDeclarations ? 'D' : '-';
        flags += t->queriesDeclarations ? 'Q' : '-';
        flags += '-';
        flags += t->settlesContract ? 'S' : '-';
        flags += t->amountTyped ? 'A' : '-';
        EXPECT_EQ(flags, std::string(r.flags)) << r.type;
    }
    for (const int other : { 0, 14005, 14007, 14014, 14016, 13006 })
        EXPECT_EQ(TC::agreementOperationTraits(other), nullptr) << other;
}
