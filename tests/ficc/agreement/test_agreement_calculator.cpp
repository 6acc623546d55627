#include "agreement/CAgreementCalculator.h"

#include "AgreementFormFixture.h"

#include "ttservice/CInstrumentCenter.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "xp/NumberFormat.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

namespace {

using TC::CAgreementCalculator;
using TC::CTradingCalendar;

ttservice::CBondInfoDetailPtr variety(const std::string &code, int minDays, int maxDays)
{
    return repoVariety("SH", code, "协议回购" + code, minDays, maxDays);
}

std::string codeOf(const ttservice::CBondInfoDetailPtr &v)
{
    return v ? v->instrumentCode : std::string("none");
}

// Interest and maturity amount as the form shows them.
std::pair<QString, QString> shown(const QString &amount, const QString &rate, long long days)
{
    const CAgreementCalculator::RepoAmounts r
        = CAgreementCalculator::repoAmounts(amount, rate, days);
    if (!r.valid)
        return { "invalid", "invalid" };
    return { XP::formatDoubleNumber(r.interest, 2), XP::formatDoubleNumber(r.maturityAmount, 2) };
}

// Every day from `from` for `count` days, trading on weekdays.
CTradingCalendar::DayMap weekdays(const QDate &from, int count)
{
    CTradingCalendar::DayMap days;
    for (int i = 0; i < count; ++i) {
        const QDate d = from.addDays(i);
        CTradingCalendar::DayRecord record;
        record.tradingDay = d.dayOfWeek() < 6 ? 1 : 0;
        days.insert(CTradingCalendar::dateKey(d), record);
    }
    return days;
}

} // namespace

TEST(AgreementCalculatorVariety, firstOrLastCoveringVarietyAtRangeBoundaries)
{
    const CAgreementCalculator::VarietyList list
        = { variety("R001", 1, 1), variety("R007", 1, 7), variety("R014", 7, 14),
            variety("R028", 15, 28), variety("R365", 183, 365) };
    using M = CAgreementCalculator::EVarietyMatch;
    const std::tuple<int, M, const char *> cases[] = {
        { 1, M::FIRST_MATCH, "R001" },   { 1, M::LAST_MATCH, "R007" },
        { 7, M::FIRST_MATCH, "R007" },   { 7, M::LAST_MATCH, "R014" },
        { 14, M::FIRST_MATCH, "R014" },  { 15, M::FIRST_MATCH, "R028" },
        { 365, M::FIRST_MATCH, "R365" },
    };
    for (const auto &[days, match, code] : cases)
        EXPECT_EQ(codeOf(CAgreementCalculator::findVariety(list, days, match)), code) << days;
    for (int gap : { 0, -3, 29, 182, 366 })
        EXPECT_EQ(codeOf(CAgreementCalculator::findVariety(list, gap, M::FIRST_MATCH)), "none")
            << gap;
    // A record the host sent without a day range never matches.
    auto unset = boost::make_shared<ttservice::CBondInfoDetail>();
    EXPECT_EQ(codeOf(CAgreementCalculator::findVariety({ unset, nullptr }, 7, M::FIRST_MATCH)),
              "none");
}

TEST(AgreementCalculatorDates, maturityIsTheFirstTradingDayOfTheCandidatesOrNone)
{
    // The form's tests walk the shipped calendar; here the ends: 0 days settles today...
    const QDate today(2026, 3, 12);
    EXPECT_EQ(CAgreementCalculator::maturitySettleDate(today, 0, weekdays(today, 30)), today);
    // ...and no trading day within reach gives no date.
    CTradingCalendar::DayMap closed;
    for (int i = 0; i < 800; ++i)
        closed.insert(CTradingCalendar::dateKey(today.addDays(i)), CTradingCalendar::DayRecord());
    EXPECT_FALSE(CAgreementCalculator::maturitySettleDate(today, 7, closed).isValid());
    EXPECT_FALSE(
        CAgreementCalculator::maturitySettleDate(QDate(), 7, weekdays(today, 30)).isValid());

    // The last of the 365 candidates still counts.
    CTradingCalendar::DayMap lastOnly = closed;
    lastOnly[CTradingCalendar::dateKey(today.addDays(7 + 364))].tradingDay = 1;
    EXPECT_EQ(CAgreementCalculator::maturitySettleDate(today, 7, lastOnly), today.addDays(371));
}

TEST(AgreementCalculatorMoney, interestAndMaturityAmountExactToTheCent)
{
    struct Case
    {
        const char *amount, *rate;
        int days;
        const char *interest, *maturity;
    };
    const Case cases[] = {
        { "1000000", "3.65", 10, "1000.00", "1001000.00" },
        { "1000000", "2.555", 7, "490.00", "1000490.00" },
        { "1000000", "0", 30, "0.00", "1000000.00" },
        { "1000000.00", "3.650", 0, "0.00", "1000000.00" },
        { "1,500,000.00", " 2.5", 14, "1438.36", "1501438.36" },
        { "0.01", "99.999", 365, "0.01", "0.02" },
        // Exactly half a cent is owed to the trader (doubles would come out one cent low).
        { "1000500.00", "2.555", 7, "490.25", "1000990.25" }, // 490.245
        { "1000005.00", "3.650", 10, "1000.01", "1001005.01" }, // 1000.005
        { "1000050.00", "1.825", 14, "700.04", "1000750.04" }, // 700.035
        { "1000250.00", "2.190", 91, "5461.37", "1005711.37" }, // 5461.365
        { "13687.50", "1.160", 1, "0.44", "13687.94" }, // 0.435
        { "36500.00", "1.005", 1, "1.01", "36501.01" }, // 1.005
        { "21900.00", "1.075", 1, "0.65", "21900.65" }, // 0.645
        // Near a half cent a double product of a large amount loses the deciding digits.
        { "999999999.99", "4.121", 182, "20548547.94", "1020548547.93" },
        { "12345678901.23", "0.902", 337, "102815490.36", "12448494391.59" },
        { "9936293505.75", "11.702", 263, "837813568.13", "10774107073.88" },
        { "99377939.96", "20.416", 235, "13062780.96", "112440720.92" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.amount) + " " + c.rate + " " + std::to_string(c.days));
        EXPECT_EQ(shown(c.amount, c.rate, c.days),
                  std::make_pair(QString(c.interest), QString(c.maturity)));
    }
}

TEST(AgreementCalculatorMoney, textsThatAreNoAmountAreInvalid)
{
    for (const char *bad : { "", " ", "abc", "1.2.3", "1e5", "-100", "12-3", "--1" })
        EXPECT_FALSE(CAgreementCalculator::repoAmounts(bad, "3.65", 7).valid) << bad;
    for (const char *bad : { "", "x", "-0.5", "." })
        EXPECT_FALSE(CAgreementCalculator::repoAmounts("1000", bad, 7).valid) << bad;
    // Too many digits to work out exactly is refused rather than guessed.
    EXPECT_FALSE(CAgreementCalculator::repoAmounts("123456789012345678901", "1", 7).valid);
    // Negative days count as none; a very long term is still exact.
    EXPECT_EQ(shown("1000000", "3.65", -5).first, QString("0.00"));
    EXPECT_EQ(shown("1000000", "3.65", 3650).first, QString("365000.00"));
    EXPECT_EQ(shown("+1000", ".5", 73).first, QString("1.00"));
}

using AgreementCalculatorHostTest = HostFixture;

TEST_F(AgreementCalculatorHostTest, pledgeValueCountsOnlyBondsTheDirectoryKnows)
{
    ttservice::CRepurchaseAgreementContractInfo contract;
    contract.pledgedBonds = { pledgedBond("SH", "019547", 10000), pledgedBond("SH", "999999", 5000),
                              pledgedBond("SH", "122000", 2500), nullptr };
    const auto &instruments = *ttservice::TraderCenter::instance()->getInstCenter();
    EXPECT_DOUBLE_EQ(CAgreementCalculator::contractPledgeValue(contract, instruments), 1250000.0);
}

TEST_F(AgreementCalculatorHostTest, varietyTableTakesTypedInstrumentsPerMarket)
{
    auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    const auto addRepo = [&](const std::string &market, const std::string &code, int type,
                             int minDays, int maxDays) {
        auto inst = boost::make_shared<ttservice::CInstrumentDetail>();
        inst->market = market;
        inst->instrumentCode = code;
        inst->instrumentName = "回购" + code;
        if (minDays > 0) {
            inst->extraDetail = variety(code, minDays, maxDays);
            inst->extraDetail->market = market;
        }
        instruments->addInstrument(inst);
        if (type > 0)
            types->addTypedStock(type, market, code);
    };
    addRepo("SH", "206007", 281, 4, 7);
    addRepo("SH", "206001", 279, 1, 1);
    addRepo("SZ", "138007", 10059, 4, 7);
    addRepo("SH", "206999", 0, 1, 365); // not typed: no variety
    addRepo("SH", "206888", 287, 0, 0); // typed without a day range
    addRepo("SZ", "138365", 287, 183, 365); // a Shanghai type id names the market SH

    const auto table = CAgreementCalculator::varietyTable(*instruments, *types);
    ASSERT_EQ(table.size(), 2u);
    std::vector<std::string> codes;
    for (const char *market : { "SH", "SZ" }) {
        for (const auto &v : table.at(market))
            codes.push_back(market + (" " + v->instrumentCode));
    }
    EXPECT_EQ(codes,
              (std::vector<std::string> { "SH 206001", "SH 206007", "SH 206888", "SH 138365",
                                          "SZ 138007" }));
    EXPECT_EQ(table.at("SH")[2]->minDays, ttservice::kUnsetInt) << "no range: never matched";
}
