// Renders the pictures of the README: the demo terminal on its simulated host,
// offscreen, walked through its main pages the way a trader would open them.
//
//   ficc-pictures OUTPUT_DIR
//
// Writes agreement-deal.png, agreement-early-repurchase.png, confirmation.png,
// confirmation-question.png, pledged-bonds.png and spot.png.
#include "CSimulatedHost.h"
#include "CTerminalWindow.h"
#include "CTradingDayWatch.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/ConfigDir.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CTableView.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

QString g_outputDir;
int g_failures = 0;

void settle(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool waitFor(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

void save(QWidget *widget, const QString &name)
{
    const QString file = QDir(g_outputDir).filePath(name);
    if (widget->grab().save(file, "PNG")) {
        std::printf("%s\n", qPrintable(file));
    } else {
        std::fprintf(stderr, "ficc-pictures: cannot write %s\n", qPrintable(file));
        ++g_failures;
    }
}

void fail(const char *what)
{
    std::fprintf(stderr, "ficc-pictures: %s\n", what);
    ++g_failures;
}

// The visible agreement table of `columns` columns (the contract table has 18,
// the confirmation table 29), or null.
XP::COddEvenRowTable *visibleTable(app::CTerminalWindow &window, int columns)
{
    for (QWidget *widget : window.ficcPanel()->findChildren<QWidget *>(
             QStringLiteral("zolp_ficc_agreementtablewidget"))) {
        auto *rows = widget->findChild<XP::COddEvenRowTable *>();
        if (rows && widget->isVisible() && rows->columnCount() == columns)
            return rows;
    }
    return nullptr;
}

void click(XP::COddEvenRowTable *table, int row, int column)
{
    table->flush();
    QTableView *view = table->view();
    view->scrollTo(view->model()->index(table->rowIndex(row), column));
    const QPoint at = view->visualRect(view->model()->index(table->rowIndex(row), column)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
}

void showPage(app::CTerminalWindow &window, const QString &param)
{
    window.ficcPanel()->setParam(param);
    window.ficcPanel()->refreshAccounts();
    settle(400); // the simulated counter answers the page's queries
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ficc-pictures OUTPUT_DIR\n");
        return 2;
    }
    g_outputDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(g_outputDir)) {
        std::fprintf(stderr, "ficc-pictures: cannot make %s\n", qPrintable(g_outputDir));
        return 1;
    }
    // A configuration directory of its own: the pictures show the shipped data,
    // whatever the person running this has saved.
    QTemporaryDir config;
    TC::setConfigDir(config.path());
    XP::applyDefaultStyle(&app);

    app::CSimulatedHost host;
    QString error;
    if (!host.load(QStringLiteral(FICC_APP_DATA_DIR), config.path(), &error)) {
        std::fprintf(stderr, "ficc-pictures: %s\n", qPrintable(error));
        return 1;
    }
    // Wired as the terminal's main wires it: the forms start on the trading date.
    app::CTradingDayWatch tradingDays;
    tradingDays.setRollOver([&host] {
        if (host.exchange())
            host.exchange()->startTradingDay();
    });
    tradingDays.start();
    app::CTerminalWindow window(config.path());
    window.setTradingDayWatch(&tradingDays);
    window.resize(1400, 860);
    window.show();
    host.start();
    window.followDeliveries(host.exchange());

    // 成交申报 with the bonds the account can pledge.
    showPage(window, QStringLiteral("2//1001"));
    save(&window, QStringLiteral("agreement-deal.png"));

    // 提前购回: the account's contracts, the chosen one in the form, and the
    // declarations that wait for the trader.
    showPage(window, QStringLiteral("2//1003"));
    XP::COddEvenRowTable *contracts = visibleTable(window, 18);
    XP::COddEvenRowTable *declarations = visibleTable(window, 29);
    if (!contracts || !waitFor([contracts] { return contracts->rowCount() > 0; }))
        fail("no contracts under 提前购回");
    if (!declarations || !waitFor([declarations] { return declarations->rowCount() > 0; }))
        fail("no declarations under 提前购回");
    settle(100);
    save(&window, QStringLiteral("agreement-early-repurchase.png"));

    if (declarations && declarations->rowCount() > 0) {
        // The answer buttons are the last columns of the declarations.
        QScrollBar *across = declarations->view()->horizontalScrollBar();
        across->setValue(across->maximum());
        settle(50);
        save(&window, QStringLiteral("confirmation.png"));
        // Pressing 确定 asks the trader; the question is drawn as the terminal shows it.
        XP::CScriptedDialogResponder responder;
        responder.answerButton(QMessageBox::No);
        click(declarations, 0, 25);
        if (responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION) == 1) {
            const XP::CScriptedDialogResponder::SAsked asked = responder.lastMessage();
            QMessageBox box(QMessageBox::Question, asked.title, asked.text, asked.buttons, &window);
            box.show();
            settle(50);
            save(&box, QStringLiteral("confirmation-question.png"));
            box.hide();
        } else {
            fail("确定 asked nothing");
        }
        across->setValue(0);
    }

    if (contracts && contracts->rowCount() > 0) {
        // The pledged-bond count of a contract opens its bonds.
        XP::CScriptedDialogResponder responder;
        bool shown = false;
        responder.setDialogHandler([&shown](QDialog *dialog) {
            dialog->show();
            settle(50);
            save(dialog, QStringLiteral("pledged-bonds.png"));
            dialog->hide();
            shown = true;
            return int(QDialog::Rejected);
        });
        click(contracts, 0, 4);
        if (!shown)
            fail("the pledged-bond count opened nothing");
    }

    // Spot: the account list with funds beside the order form.
    showPage(window, QStringLiteral("3"));
    save(&window, QStringLiteral("spot.png"));

    return g_failures == 0 ? 0 : 1;
}
