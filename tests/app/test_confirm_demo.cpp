// Declarations waiting for confirmation in the demo terminal: the shipped
// seed file, the counter's answer per trader, and a confirmation journalled.
#include "DemoInput.h"

#include "tc/CTradingCalendar.h"
#include "tc/CUserManager.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "utils/DateText.h"
#include "xp/CScriptedDialogResponder.h"

#include <QJsonArray>

#include <set>

using ConfirmDemo = demo::DemoTerminalTest;

namespace {

using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

std::vector<DeclarationPtr> declarationsOf(const std::string &account)
{
    std::vector<ttservice::IDataPtr> records;
    TC::getUserConfig()
        ->getAccountData(QString::fromStdString(account))
        ->getAccountData()
        ->getVector(ttservice::DATA_TYPE_PENDING_ORDER, records);
    std::vector<DeclarationPtr> declarations;
    for (const ttservice::IDataPtr &record : records)
        if (auto d = boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(record))
            declarations.push_back(d);
    return declarations;
}

using demo::waitFor;

// The declarations the counter gives for `account`'s `trader`, on its own thread.
std::vector<ttservice::IDataPtr> askCounter(const std::string &account, const std::string &trader)
{
    return ::askCounter(QString::fromStdString(account), ttservice::DATA_TYPE_PENDING_ORDER, trader)
        ->rows;
}

} // namespace

TEST_F(ConfirmDemo, shippedDeclarationsCoverEveryTypeInBothMarketsWithAndWithoutBonds)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_TRUE(host.warnings().filter("pending_declarations").isEmpty())
        << host.warnings().join("\n").toStdString();
    const QDate tradingDate = utils::CSingletonT<TC::CTradingCalendar>::instance()->nextTradingDay(
        TC::CHostClock::today());
    std::set<std::pair<int, std::string>> typeAndMarket;
    bool withBonds = false, withoutBonds = false, swapped = false;
    for (const std::string account : { "880001", "880002" }) {
        const std::vector<DeclarationPtr> declarations = declarationsOf(account);
        EXPECT_FALSE(declarations.empty()) << account;
        for (const DeclarationPtr &d : declarations) {
            typeAndMarket.insert({ d->declareType, d->market });
            (d->pledgedBonds.empty() ? withoutBonds : withBonds) = true;
            for (const auto &bond : d->pledgedBonds) {
                swapped = swapped || bond->swapFlag == '1';
                EXPECT_EQ(bond->market, d->market);
            }
            EXPECT_EQ(d->accountInfo->accountId, account);
            EXPECT_FALSE(d->trader.empty());
            EXPECT_GT(d->maturitySettleAmount, d->repurchaseAmount);
            EXPECT_GE(d->maturitySettleDate, d->actualRepurchaseDate);
            EXPECT_GT(d->actualRepurchaseDate, d->priorApplyDate);
        }
    }
    for (int type : { '0', '1', '2', '3', '4' })
        for (const char *market : { "SH", "SZ" })
            EXPECT_TRUE(typeAndMarket.count({ type, market }))
                << "declaration type " << char(type) << " in " << market;
    EXPECT_TRUE(withBonds);
    EXPECT_TRUE(withoutBonds);
    EXPECT_TRUE(swapped);
    // Dates count from the trading date: the first declaration settles first on it.
    EXPECT_EQ(declarationsOf("880001").front()->priorApplyDate, utils::dateNumber(tradingDate));
}

TEST_F(ConfirmDemo, malformedDeclarationLinesAreSkippedAndReported)
{
    const QByteArray header
        = "ref,accountId,market,contractCode,direction,declareType,trader,dealer,dealerName,"
          "counterpartyTrader,counterpartyDealer,counterpartyDealerName,amount,rate,"
          "conversionRatio,firstSettleOffset,days,actualRepurchaseOffset,renewType,pledgee,"
          "supplementaryTerms,tradingEntity,counterpartyEntity,releaseSettleAmount,"
          "counterpartyClientName,ownerType,pledgedBonds\n";
    const QByteArray good = ",SH,206007,0,0,T401,1005,晨岭基金,T301,1004,远川银行,1000000,0.02,"
                            "0.9,0,7,,0,,,100502,100401,0,远川客户,2,";
    write("pending_declarations.csv",
          header + "A1,880001" + good + "019547:100\n" // taken
              + "A2,999999" + good + "019547:100\n" // unknown account
              + "A3,880001" + good + "019547:100:7\n" // swap flag
              + "A4,880001" + good + "101501:100\n" // a bond of the other market
              + "A5,880001" + QByteArray(good).replace("206007", "206999") + "\n" + "A6,880001"
              + QByteArray(good).replace(",0,0,T401", ",0,9,T401") + "\n" + "A1,880001" + good
              + "\n" // twice
              + "A8,880001,SH\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_EQ(host.warnings().filter("pending_declarations.csv:").size(), 7)
        << host.warnings().join("\n").toStdString();
    ASSERT_EQ(declarationsOf("880001").size(), 1u);
    EXPECT_EQ(declarationsOf("880001").front()->pendingOrderRef, "A1");
}

TEST_F(ConfirmDemo, counterAnswersTheDeclarationsOfTheTraderAskedAbout)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    host.start();
    const std::vector<ttservice::IDataPtr> all = askCounter("880001", "");
    const std::vector<ttservice::IDataPtr> t401 = askCounter("880001", "T401");
    EXPECT_EQ(all.size(), declarationsOf("880001").size());
    ASSERT_FALSE(t401.empty());
    EXPECT_LT(t401.size(), all.size());
    for (const ttservice::IDataPtr &record : t401)
        EXPECT_EQ(boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(record)->trader,
                  "T401");
    EXPECT_TRUE(askCounter("880001", "T999").empty());
}

TEST_F(ConfirmDemo, earlyRepurchaseDeclarationConfirmedFromTheTerminalIsJournalled)
{
    open(QStringLiteral("2//1003")); // 提前购回
    // Only what the terminal sees: of the agreement tables, the one of 29 columns.
    XP::COddEvenRowTable *table = agreementTable(29).second;
    ASSERT_NE(table, nullptr);
    // The form's trader comes from the contract the contract table chose.
    ASSERT_TRUE(waitFor([table] { return table->rowCount() > 0; })) << "no declarations shown";
    table->flush();
    ASSERT_EQ(table->rowCount(), 2) << "880001's two 提前购回 declarations to T401";
    ASSERT_EQ(table->itemText(0, 2), QStringLiteral("SH")) << "declarations in reference order";
    EXPECT_EQ(table->itemText(0, 4), QStringLiteral("提前购回"));
    EXPECT_EQ(table->itemText(0, 14), QStringLiteral("T401"));
    DeclarationPtr shown;
    for (const DeclarationPtr &d : declarationsOf("880001"))
        if (d->declareType == '2' && d->trader == "T401"
            && QString::fromStdString(d->market) == table->itemText(0, 2))
            shown = d;
    ASSERT_TRUE(shown);

    demo::screenshot(window.get(), "-confirm");

    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);
    demo::clickCell(table, 0, 25);

    EXPECT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION), 1);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject order = lines.front()["orders"].toArray().at(0).toObject();
    EXPECT_EQ(order["accountId"].toString(), QStringLiteral("880001"));
    EXPECT_EQ(order["operationType"].toInt(), 1072);
    EXPECT_EQ(order["stockCode"].toString(), QStringLiteral("206063"));
    const QJsonObject agreement = order["agreementParam"].toObject();
    EXPECT_EQ(agreement["pendingOrderRef"].toString(),
              QString::fromStdString(shown->pendingOrderRef));
    EXPECT_EQ(agreement["trader"].toString(), QStringLiteral("T401"));
    EXPECT_EQ(agreement["counterpartyTrader"].toString(), QStringLiteral("T301"));
    EXPECT_EQ(agreement["bondCode"].toString(), QStringLiteral("019666"));
    EXPECT_EQ(agreement["subjectType"].toInt(), 2);
    EXPECT_DOUBLE_EQ(agreement["repurchaseAmount"].toDouble(), shown->maturitySettleAmount);
    EXPECT_EQ(order["volume"].toString(), QStringLiteral("80000"));
}
