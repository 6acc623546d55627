#include "agreement/AgreementOperationTraits.h"

namespace TC {

namespace {

// type, button, contracts, new bonds, positions, intentions, declarations
// shown, declarations queried, settles the contract, amount typed.
const AgreementOperationTraits kTraits[] = {
    { OPT_AGREEMENT_INTENTION_REPO, 1000, false, false, true, true, false, false, false, true },
    { OPT_AGREEMENT_INTENTION_REVERSE_REPO, 1000, false, true, false, true, false, false, false,
      true },
    { OPT_AGREEMENT_DEAL_DECLARATION, 1001, false, false, true, false, true, false, false, true },
    { OPT_AGREEMENT_MATURITY_CONFIRM, 1002, true, false, false, false, false, false, true, false },
    { OPT_AGREEMENT_EARLY_REPURCHASE, 1003, true, false, false, false, true, true, true, false },
    { OPT_AGREEMENT_MATURITY_RENEWAL, 1004, true, false, false, false, true, true, false, true },
    { OPT_AGREEMENT_PLEDGE_CHANGE, 1005, true, false, true, false, true, true, false, false },
    { OPT_AGREEMENT_PLEDGE_RELEASE, 1006, true, false, false, false, true, true, true, false },
};

} // namespace

const AgreementOperationTraits *agreementOperationTraits(int type)
{
    for (const AgreementOperationTraits &traits : kTraits)
        if (traits.type == type)
            return &traits;
    return nullptr;
}

} // namespace TC
