// The demo terminal driven through its widgets, its tables following the exchange's deliveries.
#include "CTerminalWindow.h"
#include "TableInput.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QThread>

namespace {

// Runs the event loop until `done`; false after five seconds.
bool waitFor(const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > 5000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

using DemoTerminal = TerminalFixture;

// The 待确认申报 table answers a declaration with the code of its type.
TEST_F(DemoTerminal, declarationsConfirmedFromTheTerminalAreJournalledAndLeaveTheTable)
{
    write("host.ini", "[exchange]\nanswerDelayMs=0\n[feed]\npositionIntervalMs=0\n");
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
    ASSERT_TRUE(waitFor([table] {
        table->flush();
        return table->rowCount() == 1;
    })) << "T402's one deal declaration is listed";
    EXPECT_EQ(table->itemText(0, 4), QStringLiteral("成交申报"));
    const double funds = paper::funds();
    clickRowCell(*table, 0, 25);
    ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));

    EXPECT_TRUE(waitFor([table] {
        table->flush();
        return table->rowCount() == 0;
    })) << "the answered declaration left the table";
    // The deal as the exchange makes it (its terms: the shipped declarations' test).
    EXPECT_EQ(paper::contracts().back()->referenceNo, "QR2026120011");
    EXPECT_DOUBLE_EQ(paper::funds(), funds + 3000000.00);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front()["orders"].toArray().at(0).toObject()["operationType"].toInt(), 1065);
}

} // namespace
