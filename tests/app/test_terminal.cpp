// The demo terminal's window: journal, messages, panels, orders and declarations, the trading day.
#include "CTerminalWindow.h"
#include "CTradingDayWatch.h"
#include "TableInput.h"
#include "TerminalFixture.h"
#include "UserInput.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/CExchangeClient.h"
#include "tc/COpButton.h"
#include "tc/CStockCodeLineEdit.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CLineEdit.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/DefaultStyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QThread>
#include <QToolBar>
#include <QTreeWidget>

#include <utility>
#include <vector>

using TerminalTest = TerminalFixture;

// `object` has each field of `expected`, a JSON object as the journal writes it, with its value.
static void expectFields(const QJsonObject &object, const char *expected)
{
    const QJsonObject fields = QJsonDocument::fromJson(expected).object();
    ASSERT_FALSE(fields.isEmpty()) << expected;
    for (auto field = fields.begin(); field != fields.end(); ++field)
        EXPECT_EQ(object.value(field.key()), field.value()) << field.key().toStdString();
}

TEST_F(TerminalTest, windowJournalsCommandsDecodedFromBsonAndListsMessages)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    app::CTerminalWindow window(dir.path());
    window.setJournalFile(path("journal.jsonl"));
    const auto sent = paper::agreementOrder(1052, 1000, [](paper::CRepurchaseAgreementParam &a) {
        a.bondCode = "019547";
        a.repurchaseRate = 0.0235;
        a.repurchaseDays = 7;
        a.counterpartyDealerName = "澄湖证券";
    });
    ASSERT_TRUE(sendCommand({ sent }));
    ASSERT_TRUE(sendCommand({ sent }));
    utils::CManualSingletonT<TC::CMsgService>::instance()->showMsg("请输入正确的回购天数", 4, 1,
                                                                   false, false);

    EXPECT_EQ(window.journalView()->topLevelItemCount(), 2);
    ASSERT_EQ(window.messageList()->count(), 1);
    EXPECT_TRUE(
        window.messageList()->item(0)->text().endsWith("[报警信息 级别1]  请输入正确的回购天数"));

    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0]["commandNo"].toInt(), 1);
    EXPECT_EQ(lines[1]["commandNo"].toInt(), 2);
    const QJsonObject order = lines[1]["orders"].toArray().at(0).toObject();
    // The journal view lists each order with its fields.
    EXPECT_EQ(window.journalView()->topLevelItem(1)->child(0)->childCount(), order.size());
    // An unset number is written as null.
    expectFields(order, R"({"accountId": "880001", "operationType": 1052, "volume": "1000",
                            "placedVolume": null})");
    expectFields(order["agreementParam"].toObject(),
                 R"({"bondCode": "019547", "repurchaseRate": 0.0235, "repurchaseDays": 7,
                     "counterpartyDealerName": "澄湖证券", "maturitySettleDate": null})");
}

TEST_F(TerminalTest, chosenModeAndOperationSurviveARestart)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    {
        app::CTerminalWindow window(dir.path());
        // Nothing saved yet: the terminal opens on the agreement page's 提前购回.
        window.restorePanels();
        EXPECT_EQ(window.ficcPanel()->param(), QStringLiteral("2//1003"));
        window.ficcPanel()->setParam(QStringLiteral("2//1004"));
        window.ficcPanel()->setCurrentOperationType(TC::OPT_SPOT_BOND_TRADE);
        window.savePanels();
    }
    QSettings s(path("layout.ini"), QSettings::IniFormat);
    EXPECT_EQ(s.value("panels/ficc").toString(), QStringLiteral("3//1004"));

    app::CTerminalWindow again(dir.path());
    again.restorePanels();
    EXPECT_EQ(again.ficcPanel()->param(), QStringLiteral("3//1004"));
}

// A trader at the demo terminal, in the spot bond mode of the FICC panel.
TEST_F(TerminalTest, traderBuysABondPickedFromTheCodeList)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    app::CTerminalWindow window(dir.path());
    window.setJournalFile(path("journal.jsonl"));
    window.ficcPanel()->setParam(QStringLiteral("3"));
    QWidget *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolpcoptransactionincashwidget"));
    ASSERT_NE(page, nullptr);
    const auto editor = [page](const char *name) {
        return page->findChild<XP::CLineEdit *>(QLatin1String(name));
    };

    // Five digits list the bond; Return picks it.
    auto *code = page->findChild<TC::CStockCodeLineEdit *>("zolp_spot_code");
    type(code->getLineEdit(), QStringLiteral("10150"));
    pressKey(code->getLineEdit(), Qt::Key_Return);
    EXPECT_EQ(code->code(), QStringLiteral("101501"));
    EXPECT_EQ(editor("zolp_spot_name")->text(), QStringLiteral("15附息国债01"));

    enter(editor("zolp_spot_price"), QStringLiteral("101.25"));
    enter(editor("zolp_spot_quantity"), QStringLiteral("1000"));
    enter(editor("zolp_spot_trader"), QStringLiteral("Wang"));
    enter(editor("zolp_spot_agreementno"), QStringLiteral("1234567"));
    // The bond's accrued interest comes from the shipped instruments.
    EXPECT_EQ(editor("zolp_spot_settlement")->text(), QStringLiteral("103126.500"));

    page->findChild<TC::COpButton *>("zolp_spot_buy")->click();

    EXPECT_EQ(window.messageList()->count(), 0)
        << window.messageList()->item(0)->text().toStdString();
    ASSERT_EQ(window.journalView()->topLevelItemCount(), 1);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject &command = lines.front();
    expectFields(command, R"({"commandKind": 1048576, "commandSubKind": 0, "manual": true,
                              "commandMode": 0, "commandOption": 0, "commandText": ""})");
    const QJsonArray orders = command["orders"].toArray();
    ASSERT_EQ(orders.size(), 1);
    const QJsonObject order = orders.at(0).toObject();
    expectFields(order,
                 R"({"accountId": "880001", "accountName": "晨岭稳健债券基金", "orderKind": 49,
                     "operationType": 1052, "market": "SZ", "stockCode": "101501",
                     "stockName": "15附息国债01", "instrumentTag": "BOND", "priceMode": 11,
                     "price": 101.25, "volume": "1000", "userName": "trader01",
                     "counterpartyTrader": "Wang", "agreementNo": 1234567})");
    EXPECT_FALSE(order.contains("agreementParam"));
}

// Runs the event loop until `table` lists `rows` rows; false after five seconds.
static bool waitForRows(XP::COddEvenRowTable *table, int rows)
{
    QElapsedTimer timer;
    timer.start();
    for (table->flush(); table->rowCount() != rows; table->flush()) {
        if (timer.elapsed() > 5000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

// The 待确认申报 table answers a declaration with the code of its type.
TEST_F(TerminalTest, declarationsConfirmedFromTheTerminalAreJournalledAndLeaveTheTable)
{
    setAnswerDelay(0);
    TC::CHostClock::setToday(QDate(2026, 12, 9));
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    XP::applyDefaultStyle(qApp);
    app::CTerminalWindow window(dir.path());
    window.setJournalFile(path("journal.jsonl"));
    window.ficcPanel()->setParam(QStringLiteral("2//1001")); // 成交申报
    window.ficcPanel()->refreshAccounts();
    window.resize(1400, 860);
    window.show();
    host.start();
    window.followDeliveries(host.exchange());
    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);

    // Trader T402's one declaration: QR2026120011, desk T301 lends 3,000,000 on 019547.
    auto *page = window.ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
    ASSERT_NE(page, nullptr);
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        if (cell->isVisible() && cell->id() == 19)
            cell->setText(QStringLiteral("T402"));
    QWidget *confirmWidget = nullptr;
    XP::COddEvenRowTable *table = nullptr;
    for (QWidget *widget : window.ficcPanel()->findChildren<QWidget *>(
             QStringLiteral("zolp_ficc_agreementtablewidget"))) {
        auto *rows = widget->findChild<XP::COddEvenRowTable *>();
        if (rows && rows->columnCount() == 29 && widget->isVisible())
            std::tie(confirmWidget, table) = std::make_pair(widget, rows);
    }
    ASSERT_NE(table, nullptr);
    for (auto *button : confirmWidget->findChildren<XP::CSmallNoNormalButton *>())
        if (button->isVisible() && button->text() == QStringLiteral("刷新"))
            button->click();
    ASSERT_TRUE(waitForRows(table, 1)) << "T402's one deal declaration is listed";
    EXPECT_EQ(table->itemText(0, 4), QStringLiteral("成交申报"));
    const double funds = paper::funds();
    clickRowCell(*table, 0, 25);
    ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));

    EXPECT_TRUE(waitForRows(table, 0)) << "the answered declaration left the table";
    // The deal as the exchange makes it (its terms: the shipped declarations' test).
    EXPECT_EQ(paper::contracts().back()->referenceNo, "QR2026120011");
    EXPECT_DOUBLE_EQ(paper::funds(), funds + 3000000.00);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front()["orders"].toArray().at(0).toObject()["operationType"].toInt(), 1065);
}

// Shipped calendar: closed 2026-02-15 to 02-23 (Spring Festival) and 10-01 to 10-07.
TEST_F(TerminalTest, theTradingDayWatchMovesOnToEachTradingDayOnceRollingOverBeforeAnnouncingIt)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    app::CTradingDayWatch watch;
    std::vector<QDate> rolledOn; // the host clock when the roll-over runs
    std::vector<std::pair<std::string, std::string>> announced;
    watch.setRollOver([&] { rolledOn.push_back(TC::CHostClock::today()); });
    // The exchange client outlives the test: the watch ends the connection.
    QObject::connect(utils::CManualSingletonT<TC::CExchangeClient>::instance(),
                     &TC::CExchangeClient::sigNewTradingDate, &watch,
                     [&](const std::string &day, const std::string &previous) {
                         announced.emplace_back(day, previous);
                         EXPECT_EQ(rolledOn.size(), announced.size()) << "rolled over first";
                     });

    // The calendar date: the first trading day on or after it, once.
    EXPECT_TRUE(watch.check(QDate(2026, 2, 12)));
    EXPECT_FALSE(watch.check(QDate(2026, 2, 12)));
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 2, 12));
    // Saturday, then a holiday inside the closure: both trade on 24 February.
    EXPECT_TRUE(watch.check(QDate(2026, 2, 14)));
    EXPECT_FALSE(watch.check(QDate(2026, 2, 20)));
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 2, 24));
    EXPECT_EQ(watch.tradingDate(), QDate(2026, 2, 24));

    // The trader's advance crosses closures; the calendar date never moves it back.
    EXPECT_TRUE(watch.check(QDate(2026, 9, 30)));
    EXPECT_TRUE(watch.advance());
    EXPECT_EQ(watch.tradingDate(), QDate(2026, 10, 8));
    EXPECT_FALSE(watch.check(QDate(2026, 10, 2)));
    EXPECT_FALSE(watch.check(QDate(2026, 9, 30)));
    // The window's 下一交易日 moves on with the watch and shows the day.
    app::CTerminalWindow window(dir.path());
    window.setTradingDayWatch(&watch);
    auto *bar = window.findChild<QToolBar *>(QStringLiteral("toolbar_trading_day"));
    qobject_cast<QAbstractButton *>(bar->widgetForAction(window.nextTradingDayAction()))->click();
    EXPECT_EQ(window.findChild<QLabel *>(QStringLiteral("trading_date"))->text(),
              QStringLiteral("交易日 2026-10-09"));
    EXPECT_TRUE(watch.advance()); // over the weekend
    EXPECT_TRUE(watch.check(QDate(2026, 10, 13)));
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 10, 13));

    const std::vector<QDate> days
        = { QDate(2026, 2, 12), QDate(2026, 2, 24),  QDate(2026, 9, 30), QDate(2026, 10, 8),
            QDate(2026, 10, 9), QDate(2026, 10, 12), QDate(2026, 10, 13) };
    EXPECT_EQ(rolledOn, days);
    const std::vector<std::pair<std::string, std::string>> expected
        = { { "20260212", "" },         { "20260224", "20260212" }, { "20260930", "20260224" },
            { "20261008", "20260930" }, { "20261009", "20261008" }, { "20261012", "20261009" },
            { "20261013", "20261012" } };
    EXPECT_EQ(announced, expected);
}
