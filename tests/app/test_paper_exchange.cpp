// The paper exchange behind the demo terminal: orders handed to the command
// centre fill against the desks and declared deals become running contracts;
// intention orders, contracts and refusals are in test_paper_contracts.cpp.
#include "TerminalFixture.h"

#include "utils/DateText.h"

#include <atomic>

namespace {

using namespace paper;

// Counts the pushes of the account's records of `type` under `key` (all when empty).
struct Pushes
{
    Pushes(int type, const std::string &key = std::string())
        : request(account()->subscribe(type, key, [this](const ttservice::IDataPtr &) { ++n; }))
    {
    }
    std::atomic<int> n { 0 };
    ttservice::CSubscribeRequestPtr request;
};

using PaperExchangeTest = PaperDeskTest;

TEST_F(PaperExchangeTest, spotOrdersWithADeskFillAtTheirPriceAndPushFundsAndPosition)
{
    Pushes positions(ttservice::DATA_TYPE_POSITION_STATICS),
        details(ttservice::DATA_TYPE_ACCOUNT_DETAIL);
    ASSERT_DOUBLE_EQ(funds(), 52000000.00);

    // 1,000 张 at 101.25 plus 1.8765 accrued: 103,126.50, from the desk's trader code.
    send({ spot(1052, "SZ", "101501", 101.25, 1000, "T101") });
    EXPECT_DOUBLE_EQ(funds(), 51896873.50);
    EXPECT_EQ(position("SZ", "101501")->usableVolume, 51000);
    EXPECT_EQ(position("SZ", "101501")->totalVolume, 51000);

    // A sale to a desk named by its trader's name: 2,000 张 at 99.5 plus 1.2345.
    send({ spot(1053, "SH", "019547", 99.5, 2000, "宋知微") });
    EXPECT_DOUBLE_EQ(funds(), 51896873.50 + 201469.00);
    EXPECT_EQ(position("SH", "019547")->usableVolume, 118000);

    // A bond the account did not hold becomes a position of its own.
    ASSERT_EQ(position("SH", "019666"), nullptr);
    send({ spot(1052, "SH", "019666", 100, 10, "T301") });
    ASSERT_NE(position("SH", "019666"), nullptr);
    EXPECT_EQ(position("SH", "019666")->usableVolume, 10);
    EXPECT_EQ(position("SH", "019666")->instrumentName, "22国债01");

    EXPECT_EQ(positions.n, 3);
    EXPECT_EQ(details.n, 3);
    EXPECT_EQ(messages().filter(QStringLiteral("成交: 880001 ")).size(), 3)
        << messages().join('\n').toStdString();
}

TEST_F(PaperExchangeTest, anAcceptedDealBecomesARunningContractWithItsBondPledged)
{
    Pushes positions(ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547"),
        contractPushes(ttservice::DATA_TYPE_AGREEMENT_CONTRACT);
    const size_t before = contracts().size();
    std::vector<std::string> delivered; // the delivery reports the terminal's tables follow
    host.exchange()->setDeliveryListener(
        [&](const ttservice::CAccountInfoPtr &, bool, const std::string &text) {
            delivered.push_back(text);
        });

    send({ deal() });

    ASSERT_EQ(contracts().size(), before + 1);
    const auto c = contracts().back();
    EXPECT_EQ(c->contractNo, "PX" + std::to_string(utils::dateNumber(dealDay())) + "0001");
    EXPECT_EQ(c->contractStatus, '1');
    EXPECT_EQ(c->direction, '1');
    EXPECT_EQ(c->firstSettleDate, utils::dateNumber(dealDay()));
    EXPECT_EQ(c->maturitySettleDate, 20261216);
    EXPECT_EQ(c->repurchaseDays, 7);
    EXPECT_DOUBLE_EQ(c->repurchaseAmount, 80000);
    EXPECT_DOUBLE_EQ(c->maturitySettleAmount, 80032.22);
    EXPECT_EQ(c->counterpartyDealerName, "青屿证券");
    EXPECT_EQ(c->counterpartyTrader, "T101");
    ASSERT_EQ(c->pledgedBonds.size(), 1u);
    EXPECT_EQ(c->pledgedBonds[0]->bondCode, "019547");
    EXPECT_EQ(c->pledgedBonds[0]->bondName, "16国债19");
    EXPECT_EQ(c->pledgedBonds[0]->pledgeVolume, 1000);
    EXPECT_EQ(c->accountInfo, account()->getAccountInfo());

    // The bond stays held but is no longer available; the repo side has the money.
    EXPECT_EQ(position("SH", "019547")->usableVolume, 119000);
    EXPECT_EQ(position("SH", "019547")->totalVolume, 120000);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
    EXPECT_EQ(positions.n, 1);
    EXPECT_EQ(contractPushes.n, 1);
    EXPECT_EQ(delivered, (std::vector<std::string> { "委托已受理", "对手方接受成交申报" }));
    EXPECT_EQ(messages(),
              (QStringList { "成交申报已送达对手方 青屿证券 葛书宁",
                             QStringLiteral("对手方 青屿证券 葛书宁 接受成交申报: 合同 %1, 质押 "
                                            "019547 1000 张, 融入 80000.00")
                                 .arg(QString::fromStdString(c->contractNo)) }));
}

class SlowDeskTest : public PaperDeskTest
{
protected:
    QByteArray answerDelay() const override { return "300"; }
};

TEST_F(SlowDeskTest, theDeskChecksThePositionAgainWhenItAnswers)
{
    // Each declaration fits the 120,000 张 alone, the first exactly; the desk
    // answers after both were declared, so the second one no longer fits.
    send({ deal("019547", 120000),
           deal("019547", 70000, [](CRepurchaseAgreementParam &a) { a.repurchaseRate = 0.022; }) });
    const QStringList told = messages();
    ASSERT_EQ(told.size(), 4) << told.join('\n').toStdString();
    EXPECT_EQ(told[0], told[1]);
    EXPECT_TRUE(told[2].contains(QStringLiteral("接受成交申报")));
    EXPECT_EQ(told[3],
              QStringLiteral("委托被拒绝: 019547 16国债19 可用数量不足: 需要 70000 张, "
                             "可用 0 张"));
    EXPECT_EQ(position("SH", "019547")->usableVolume, 0);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
}

} // namespace
