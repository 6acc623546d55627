// The demo terminal driven through its widgets only. A contract's life: a
// deal declaration pledging a bond, the desk's acceptance, a pledge change,
// the trading days moved on with "下一交易日" past the maturity, and the
// maturity confirmation; funds and positions add up at every step and the
// journal holds every command. And declarations waiting for confirmation,
// confirmed from their table.
#include "DemoInput.h"

#include "ttservice/CRepurchasePendingOrder.h"
#include "xp/CPushButton.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSmallNoNormalButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QJsonArray>
#include <QLabel>
#include <QToolBar>

#include <map>

namespace {

using namespace demo;
using DemoTerminal = DemoTerminalTest;
using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

// The books of 880001: its funds, and per bond what is available beside what
// the contract holds pledged; each bond's two add up to what the account owns.
void expectBooks(const QString &contractNo, double funds, long long pledged019547,
                 long long pledged122001)
{
    EXPECT_DOUBLE_EQ(paper::funds(), funds);
    const auto c = paper::contract(contractNo.toStdString());
    ASSERT_TRUE(c);
    const bool open = c->contractStatus == '1' || c->contractStatus == '2';
    std::map<std::string, long long> held;
    for (const auto &bond : c->pledgedBonds)
        held[bond->bondCode] += open ? bond->pledgeVolume : 0;
    EXPECT_EQ(held["019547"], pledged019547);
    EXPECT_EQ(held["122001"], pledged122001);
    EXPECT_EQ(paper::usable("SH", "019547") + held["019547"], 120000);
    EXPECT_EQ(paper::usable("SH", "122001") + held["122001"], 40000);
}

TEST_F(DemoTerminal, aPledgedDealIsChangedMovedToMaturityAndConfirmed)
{
    write("host.ini", "[exchange]\nanswerDelayMs=50\n[feed]\npositionIntervalMs=0\n");
    // A Wednesday: the 7-day deal matures on Wednesday 16 December.
    TC::CHostClock::setToday(QDate(2026, 12, 9));
    open(QStringLiteral("2//1001"), true, true);
    ASSERT_FALSE(HasFatalFailure());
    QWidget *page = this->page();
    ASSERT_NE(page, nullptr);
    const auto nextDay = [&] {
        auto *bar = window->findChild<QToolBar *>(QStringLiteral("toolbar_trading_day"));
        ASSERT_NE(bar, nullptr);
        auto *button
            = qobject_cast<QAbstractButton *>(bar->widgetForAction(window->nextTradingDayAction()));
        ASSERT_NE(button, nullptr);
        button->click();
        ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));
    };
    // Sends what the form holds with its button `text`; the form takes it.
    auto *commands = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    const auto submit = [&](const QString &text) {
        const size_t sent = commands->commands().size();
        clickVisible<XP::CSmallNormalButton>(page, text);
        ASSERT_EQ(commands->commands().size(), sent + 1)
            << text.toStdString() << " refused: " << paper::messages().join('\n').toStdString();
        ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));
    };

    // 成交申报 lists 880001's pledgeable bonds only, not its convertibles.
    XP::CStandardHpfTable *positions = pledgeTable(window->ficcPanel(), 0);
    ASSERT_NE(positions, nullptr);
    ASSERT_TRUE(waitFor([&] { return positions->dataModel()->indexOfKey("SH|019547") >= 0; }));
    QStringList keys;
    for (int index = 0; index < positions->dataModel()->size(); ++index)
        keys << positions->keyAt(index);
    keys.sort();
    EXPECT_EQ(keys, (QStringList { "SH|019547", "SH|122001", "SZ|101501" }));

    // 1,000 张 of 019547 against 80,000 at 2.1 % for 7 days, to desk T101.
    pledge(positions, QStringLiteral("SH|019547"), QStringLiteral("1000"));
    fillTerms(page, QStringLiteral("80000"), QStringLiteral("2.1"), QStringLiteral("7"));
    fillParties(page,
                { { 12, "1001 澄湖证券" },
                  { 13, "100101 澄湖证券自营" },
                  { 14, "100201 青屿证券自营" },
                  { 19, "T001 程晓帆" },
                  { 20, "T101 葛书宁" },
                  { 21, "1002 青屿证券" } },
                QStringLiteral("青屿证券"));
    submit(QStringLiteral("正回购"));
    ASSERT_FALSE(HasFatalFailure());

    QString contractNo;
    ASSERT_TRUE(waitFor([&] {
        for (int i = 0; i < window->messageList()->count(); ++i) {
            const QString text = window->messageList()->item(i)->text();
            const int at = text.indexOf(QStringLiteral("合同 PX"));
            if (at >= 0 && text.contains(QStringLiteral("接受成交申报")))
                contractNo = text.mid(at + 3, text.indexOf(',', at) - at - 3);
        }
        return !contractNo.isEmpty();
    })) << "the desk did not accept";
    expectBooks(contractNo, 52080000.00, 1000, 0);
    // The positions table shows the pledged bond's available volume drop.
    EXPECT_TRUE(waitFor([&] {
        const int row = positions->dataModel()->indexOfKey("SH|019547");
        return QString(positions->itemText(row, 6)).remove(',').toDouble() == 119000;
    })) << positions->itemText(positions->dataModel()->indexOfKey("SH|019547"), 6).toStdString();

    // The next trading day, Thursday: the contract runs inside its term.
    nextDay();
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 12, 10));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("trading_date"))->text(),
              QStringLiteral("交易日 2026-12-10"));
    XP::COddEvenRowTable *contracts = agreementTable().second;
    ASSERT_NE(contracts, nullptr);
    for (const char *operation : { "提前购回", "质押券变更" }) {
        clickVisible<XP::CPushButton>(page, QString::fromUtf8(operation));
        ASSERT_TRUE(waitFor([&] { return contractRow(contracts, contractNo) >= 0; }))
            << operation << " lists " << contractNo.toStdString();
    }

    // 质押券变更: the contract's 1,000 张 of 019547 out, 1,000 张 of 122001 in.
    ASSERT_TRUE(chooseRow(contracts, contractRow(contracts, contractNo)));
    XP::CStandardHpfTable *pledgedBonds = pledgeTable(window->ficcPanel(), 1);
    ASSERT_NE(pledgedBonds, nullptr);
    ASSERT_TRUE(waitFor([&] { return pledgedBonds->dataModel()->indexOfKey("SH|019547") >= 0; }));
    pledge(pledgedBonds, QStringLiteral("SH|019547"), QStringLiteral("1000"));
    positions = pledgeTable(window->ficcPanel(), 0);
    ASSERT_NE(positions, nullptr);
    ASSERT_TRUE(waitFor([&] { return positions->dataModel()->indexOfKey("SH|122001") >= 0; }));
    pledge(positions, QStringLiteral("SH|122001"), QStringLiteral("1000"));
    submit(QStringLiteral("质押券变更"));
    ASSERT_FALSE(HasFatalFailure());
    expectBooks(contractNo, 52080000.00, 0, 1000);

    // Four trading days on, Wednesday 16 December: the contract is due.
    for (int i = 0; i < 4; ++i)
        nextDay();
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 12, 16));
    EXPECT_EQ(paper::contract(contractNo.toStdString())->contractStatus, '2');

    // 到期确认 lists it; the trader confirms at the form's settlement amount.
    clickVisible<XP::CPushButton>(page, QStringLiteral("到期确认"));
    ASSERT_TRUE(waitFor([&] { return contractRow(contracts, contractNo) >= 0; }))
        << "到期确认 lists " << contractNo.toStdString();
    ASSERT_TRUE(chooseRow(contracts, contractRow(contracts, contractNo)));
    submit(QStringLiteral("到期确认"));
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(paper::contract(contractNo.toStdString())->contractStatus, '3');
    expectBooks(contractNo, 52080000.00 - 80032.22, 0, 0);

    // The journal holds the three commands, in order.
    QList<QJsonObject> orders;
    for (const QJsonObject &line : journalLines("journal.jsonl"))
        orders << line["orders"].toArray().at(0).toObject();
    ASSERT_EQ(orders.size(), 3);
    EXPECT_EQ(orders[0]["operationType"].toInt(), 1045);
    EXPECT_EQ(orders[1]["operationType"].toInt(), 1069);
    EXPECT_EQ(orders[2]["operationType"].toInt(), 1047);
    const QJsonObject confirmation = orders[2]["agreementParam"].toObject();
    EXPECT_EQ(confirmation["contractNo"].toString(), contractNo);
    EXPECT_DOUBLE_EQ(confirmation["repurchaseAmount"].toDouble(), 80032.22);
}

// The 待确认申报 table of the terminal answers a declaration with the code of
// its type: the exchange makes the deal and the table asks again.
TEST_F(DemoTerminal, declarationsConfirmedFromTheTerminalAreJournalledAndLeaveTheTable)
{
    write("host.ini", "[exchange]\nanswerDelayMs=0\n[feed]\npositionIntervalMs=0\n");
    TC::CHostClock::setToday(QDate(2026, 12, 9));
    open(QStringLiteral("2//1001")); // 成交申报
    QWidget *page = this->page();
    ASSERT_NE(page, nullptr);
    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);

    // The declarations waiting for trader T402: QR2026120011, desk T301 lends
    // 3,000,000 against 40,000 张 of 019547.
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        if (cell->isVisible() && cell->id() == 19)
            cell->setText(QStringLiteral("T402"));
    const auto [confirmWidget, table] = agreementTable(29);
    ASSERT_NE(table, nullptr);
    clickVisible<XP::CSmallNoNormalButton>(confirmWidget, QStringLiteral("刷新"));
    ASSERT_TRUE(waitFor([table = table] {
        table->flush();
        return table->rowCount() == 1;
    })) << "T402's one deal declaration is listed";
    EXPECT_EQ(table->itemText(0, 4), QStringLiteral("成交申报"));
    const double funds = paper::funds();
    const long long available = paper::usable("SH", "019547");
    clickRowCell(*table, 0, 25);
    ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));

    // The delivery makes the table ask again: the declaration is answered.
    EXPECT_TRUE(waitFor([table = table] {
        table->flush();
        return table->rowCount() == 0;
    })) << "the answered declaration left the table";
    const auto made = paper::contracts().back();
    EXPECT_EQ(made->referenceNo, "QR2026120011");
    EXPECT_EQ(made->contractStatus, '1');
    EXPECT_EQ(made->direction, '1');
    EXPECT_EQ(made->trader, "T402");
    ASSERT_EQ(made->pledgedBonds.size(), 1u);
    EXPECT_EQ(made->pledgedBonds[0]->pledgeVolume, 40000);
    EXPECT_DOUBLE_EQ(made->maturitySettleAmount, 3002312.88);
    EXPECT_DOUBLE_EQ(paper::funds(), funds + 3000000.00);
    EXPECT_EQ(paper::usable("SH", "019547"), available - 40000);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front()["orders"].toArray().at(0).toObject()["operationType"].toInt(), 1065);
}

TEST_F(DemoTerminal, earlyRepurchaseDeclarationConfirmedFromTheTerminalIsJournalled)
{
    open(QStringLiteral("2//1003")); // 提前购回
    // The form's trader comes from the contract the contract table chose.
    XP::COddEvenRowTable *early = agreementTable(29).second;
    ASSERT_NE(early, nullptr);
    ASSERT_TRUE(waitFor([early] { return early->rowCount() > 0; })) << "no declarations shown";
    early->flush();
    ASSERT_EQ(early->rowCount(), 2) << "880001's two 提前购回 declarations to T401";
    ASSERT_EQ(early->itemText(0, 2), QStringLiteral("SH")) << "declarations in reference order";
    EXPECT_EQ(early->itemText(0, 4), QStringLiteral("提前购回"));
    EXPECT_EQ(early->itemText(0, 14), QStringLiteral("T401"));
    DeclarationPtr shown;
    for (const DeclarationPtr &d :
         paper::records<ttservice::CRepurchasePendingOrder>(ttservice::DATA_TYPE_PENDING_ORDER))
        if (d->declareType == '2' && d->trader == "T401"
            && QString::fromStdString(d->market) == early->itemText(0, 2))
            shown = d;
    ASSERT_TRUE(shown);
    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);
    clickRowCell(*early, 0, 25);

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

} // namespace
