// A contract's life in the demo terminal, driven through its widgets only: a
// deal declaration pledging a bond, the desk's acceptance, a pledge change,
// the trading days moved on with "下一交易日" past the maturity, and the
// maturity confirmation; funds and positions add up at every step and the
// journal holds every command.
#include "CTradingDayWatch.h"
#include "DemoInput.h"

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

using ContractLifeDemo = DemoTerminalTest;

using paper::account;

long long usable(const std::string &code)
{
    return paper::usable("SH", code);
}

boost::shared_ptr<ttservice::CRepurchaseAgreementContractInfo> contract(const QString &no)
{
    return paper::contract(no.toStdString());
}

// The books of 880001: its funds, and per bond what is available beside what
// the contract holds pledged; each bond's two add up to what the account owns.
void expectBooks(const QString &contractNo, double funds, long long pledged019547,
                 long long pledged122001)
{
    EXPECT_DOUBLE_EQ(account()->getAccountDetail()->availableFunds, funds);
    const auto c = contract(contractNo);
    ASSERT_TRUE(c);
    const bool open = c->contractStatus == '1' || c->contractStatus == '2';
    std::map<std::string, long long> held;
    for (const auto &bond : c->pledgedBonds)
        held[bond->bondCode] += open ? bond->pledgeVolume : 0;
    EXPECT_EQ(held["019547"], pledged019547);
    EXPECT_EQ(held["122001"], pledged122001);
    EXPECT_EQ(usable("019547") + held["019547"], 120000);
    EXPECT_EQ(usable("122001") + held["122001"], 40000);
}

} // namespace

class ContractLife : public TerminalFixture, public ::testing::WithParamInterface<bool>
{
};

TEST_P(ContractLife, aPledgedDealIsChangedMovedToMaturityAndConfirmed)
{
    const bool restarting = GetParam();
    write("host.ini", "[exchange]\nanswerDelayMs=50\n[feed]\npositionIntervalMs=0\n");
    XP::applyDefaultStyle(qApp);
    // The terminal's pieces, wired as its main wires them.
    std::unique_ptr<app::CSimulatedHost> hostPtr;
    std::unique_ptr<app::CTradingDayWatch> daysPtr;
    std::unique_ptr<app::CTerminalWindow> windowPtr;
    const auto startTerminal = [&](const QDate &today) {
        TC::CHostClock::setToday(today);
        hostPtr = std::make_unique<app::CSimulatedHost>();
        ASSERT_TRUE(load(*hostPtr));
        daysPtr = std::make_unique<app::CTradingDayWatch>();
        app::CSimulatedHost *h = hostPtr.get();
        daysPtr->setRollOver([h] {
            if (h->exchange())
                h->exchange()->startTradingDay();
        });
        ASSERT_TRUE(daysPtr->check(today));
        windowPtr = std::make_unique<app::CTerminalWindow>(dir.path());
        windowPtr->setTradingDayWatch(daysPtr.get());
        windowPtr->setJournalFile(path("journal.jsonl"));
        windowPtr->ficcPanel()->setParam(QStringLiteral("2//1001"));
        windowPtr->ficcPanel()->refreshAccounts();
        windowPtr->resize(1400, 860);
        windowPtr->show();
        hostPtr->start();
        windowPtr->followDeliveries(hostPtr->exchange());
    };
    // Closes the terminal and starts it again on the same directory, on the
    // trading day it had reached; the next start reads the paper book.
    const auto restart = [&] {
        if (!restarting)
            return;
        const QDate today = TC::CHostClock::today();
        windowPtr.reset();
        daysPtr.reset();
        hostPtr.reset();
        TC::resetHostForTests();
        TC::setConfigDir(dir.path());
        readsPaperBook = true;
        startTerminal(today);
    };
    // A Wednesday: the 7-day deal matures on Wednesday 16 December.
    startTerminal(QDate(2026, 12, 9));
    ASSERT_FALSE(HasFatalFailure());
    const auto nextDay = [&] {
        auto *bar = windowPtr->findChild<QToolBar *>(QStringLiteral("toolbar_trading_day"));
        ASSERT_NE(bar, nullptr);
        auto *button = qobject_cast<QAbstractButton *>(
            bar->widgetForAction(windowPtr->nextTradingDayAction()));
        ASSERT_NE(button, nullptr);
        button->click();
        ASSERT_TRUE(hostPtr->exchange()->waitUntilIdle(10000));
    };
    auto *commands = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    QWidget *page = nullptr;
    const auto findPage = [&] {
        page = windowPtr->ficcPanel()->findChild<QWidget *>(
            QStringLiteral("zolp_ficc_agreementrepurchasewidget"));
        ASSERT_NE(page, nullptr);
    };
    findPage();

    // 成交申报: 1,000 张 of 019547 against 80,000 at 2.1 % for 7 days, to desk T101.
    XP::CStandardHpfTable *positions = pledgeTable(windowPtr->ficcPanel(), 0);
    ASSERT_NE(positions, nullptr);
    ASSERT_TRUE(waitFor([&] { return positions->dataModel()->indexOfKey("SH|019547") >= 0; }));
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
    size_t sent = commands->commands().size();
    clickVisible<XP::CSmallNormalButton>(page, QStringLiteral("正回购"));
    ASSERT_EQ(commands->commands().size(), sent + 1) << "the deal form refused";
    ASSERT_TRUE(hostPtr->exchange()->waitUntilIdle(10000));

    QString contractNo;
    ASSERT_TRUE(waitFor([&] {
        for (int i = 0; i < windowPtr->messageList()->count(); ++i) {
            const QString text = windowPtr->messageList()->item(i)->text();
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
    restart();
    ASSERT_FALSE(HasFatalFailure());
    findPage();
    expectBooks(contractNo, 52080000.00, 1000, 0);

    // The next trading day, Thursday: the contract runs inside its term.
    nextDay();
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 12, 10));
    EXPECT_EQ(windowPtr->findChild<QLabel *>(QStringLiteral("trading_date"))->text(),
              QStringLiteral("交易日 2026-12-10"));
    auto *contractsWidget = windowPtr->ficcPanel()->findChild<QWidget *>(
        QStringLiteral("zolp_ficc_agreementtablewidget"));
    ASSERT_NE(contractsWidget, nullptr);
    XP::COddEvenRowTable *contracts = contractsWidget->findChild<XP::COddEvenRowTable *>();
    ASSERT_NE(contracts, nullptr);
    clickVisible<XP::CPushButton>(page, QStringLiteral("提前购回"));
    EXPECT_TRUE(waitFor([&] { return contractRow(contracts, contractNo) >= 0; }))
        << "提前购回 lists " << contractNo.toStdString();
    clickVisible<XP::CPushButton>(page, QStringLiteral("质押券变更"));
    ASSERT_TRUE(waitFor([&] { return contractRow(contracts, contractNo) >= 0; }))
        << "质押券变更 lists " << contractNo.toStdString();

    // 质押券变更: the contract's 1,000 张 of 019547 out, 1,000 张 of 122001 in.
    ASSERT_TRUE(chooseRow(contracts, contractRow(contracts, contractNo)));
    XP::CStandardHpfTable *pledgedBonds = pledgeTable(windowPtr->ficcPanel(), 1);
    ASSERT_NE(pledgedBonds, nullptr);
    ASSERT_TRUE(waitFor([&] { return pledgedBonds->dataModel()->indexOfKey("SH|019547") >= 0; }));
    pledge(pledgedBonds, QStringLiteral("SH|019547"), QStringLiteral("1000"));
    positions = pledgeTable(windowPtr->ficcPanel(), 0);
    ASSERT_NE(positions, nullptr);
    ASSERT_TRUE(waitFor([&] { return positions->dataModel()->indexOfKey("SH|122001") >= 0; }));
    pledge(positions, QStringLiteral("SH|122001"), QStringLiteral("1000"));
    sent = commands->commands().size();
    clickVisible<XP::CSmallNormalButton>(page, QStringLiteral("质押券变更"));
    ASSERT_EQ(commands->commands().size(), sent + 1)
        << "the pledge change form refused: "
        << windowPtr->messageList()
               ->item(windowPtr->messageList()->count() - 1)
               ->text()
               .toStdString();
    ASSERT_TRUE(hostPtr->exchange()->waitUntilIdle(10000));
    expectBooks(contractNo, 52080000.00, 0, 1000);
    restart();
    ASSERT_FALSE(HasFatalFailure());
    findPage();
    contracts = windowPtr->ficcPanel()
                    ->findChild<QWidget *>(QStringLiteral("zolp_ficc_agreementtablewidget"))
                    ->findChild<XP::COddEvenRowTable *>();
    ASSERT_NE(contracts, nullptr);
    expectBooks(contractNo, 52080000.00, 0, 1000);

    // Four trading days on, Wednesday 16 December: the contract is due.
    for (int i = 0; i < 4; ++i)
        nextDay();
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 12, 16));
    EXPECT_EQ(contract(contractNo)->contractStatus, '2');

    // 到期确认 lists it; the trader confirms at the form's settlement amount.
    clickVisible<XP::CPushButton>(page, QStringLiteral("到期确认"));
    ASSERT_TRUE(waitFor([&] { return contractRow(contracts, contractNo) >= 0; }))
        << "到期确认 lists " << contractNo.toStdString();
    ASSERT_TRUE(chooseRow(contracts, contractRow(contracts, contractNo)));
    sent = commands->commands().size();
    clickVisible<XP::CSmallNormalButton>(page, QStringLiteral("到期确认"));
    ASSERT_EQ(commands->commands().size(), sent + 1)
        << "the maturity confirmation form refused: "
        << windowPtr->messageList()
               ->item(windowPtr->messageList()->count() - 1)
               ->text()
               .toStdString();
    ASSERT_TRUE(hostPtr->exchange()->waitUntilIdle(10000));
    EXPECT_EQ(contract(contractNo)->contractStatus, '3');
    expectBooks(contractNo, 52080000.00 - 80032.22, 0, 0);
    restart();
    ASSERT_FALSE(HasFatalFailure());
    expectBooks(contractNo, 52080000.00 - 80032.22, 0, 0);

    // The journal holds the three commands, in order.
    QList<int> operations;
    for (const QJsonObject &line : journalLines("journal.jsonl"))
        operations << line["orders"].toArray().at(0).toObject()["operationType"].toInt();
    EXPECT_EQ(operations, (QList<int> { 1045, 1069, 1047 }));
    const QJsonObject confirmation = journalLines("journal.jsonl")
                                         .back()["orders"]
                                         .toArray()
                                         .at(0)
                                         .toObject()["agreementParam"]
                                         .toObject();
    EXPECT_EQ(confirmation["contractNo"].toString(), contractNo);
    EXPECT_DOUBLE_EQ(confirmation["repurchaseAmount"].toDouble(), 80032.22);

    if (qEnvironmentVariableIsSet("FICC_TEST_SCREENSHOT"))
        windowPtr->grab().save(QString::fromLocal8Bit(qgetenv("FICC_TEST_SCREENSHOT")));
}

INSTANTIATE_TEST_SUITE_P(Terminal, ContractLife, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "restartedBetweenSteps" : "straight";
                         });

TEST_F(ContractLifeDemo, aConfirmedDealDeclarationBecomesAContractAndLeavesTheTable)
{
    write("host.ini", "[exchange]\nanswerDelayMs=0\n[feed]\npositionIntervalMs=0\n");
    TC::CHostClock::setToday(QDate(2026, 12, 9));
    open(QStringLiteral("2//1001")); // 成交申报
    QWidget *page = this->page();
    ASSERT_NE(page, nullptr);

    // The declarations waiting for trader T402: QR2026120011, desk T301 lends
    // 3,000,000 against 40,000 张 of 019547.
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        if (cell->isVisible() && cell->id() == 19)
            cell->setText(QStringLiteral("T402"));
    QWidget *confirmWidget = agreementTable(29).first;
    ASSERT_NE(confirmWidget, nullptr);
    XP::COddEvenRowTable *table = agreementTable(29).second;
    clickVisible<XP::CSmallNoNormalButton>(confirmWidget, QStringLiteral("刷新"));
    ASSERT_TRUE(waitFor([&] {
        table->flush();
        return table->rowCount() == 1;
    })) << "T402's one deal declaration is listed";
    EXPECT_EQ(table->itemText(0, 4), QStringLiteral("成交申报"));
    const auto data = account();
    const double funds = data->getAccountDetail()->availableFunds;
    const long long available = usable("019547");

    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);
    clickCell(table, 0, 25);
    ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));

    // The delivery makes the table ask again: the declaration is answered.
    EXPECT_TRUE(waitFor([&] {
        table->flush();
        return table->rowCount() == 0;
    })) << "the answered declaration left the table";
    std::vector<ttservice::IDataPtr> records;
    data->getVector(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, records);
    const auto made
        = boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(records.back());
    ASSERT_TRUE(made);
    EXPECT_EQ(made->referenceNo, "QR2026120011");
    EXPECT_EQ(made->contractStatus, '1');
    EXPECT_DOUBLE_EQ(data->getAccountDetail()->availableFunds, funds + 3000000.00);
    EXPECT_EQ(usable("019547"), available - 40000);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front()["orders"].toArray().at(0).toObject()["operationType"].toInt(), 1065);
}
