// Position pushes from a host thread into the pledged positions table of the
// whole FICC panel, end to end: the subscription callback on the host
// thread, the hand-over to the GUI thread, the row and the totals, and when
// the ticked bond changed, the selection event, the page handing it to the
// 成交申报 form and the form's conversion ratio.
//
// The panel is built and shown (1200x600, offscreen) on the agreement page's
// 成交申报 for an account holding 1,000 pledgeable bonds, one of them ticked
// with a quantity. A host thread then pushes position records of random rows
// (usable volumes on a random walk) at a fixed pace for the run's seconds;
// the GUI thread runs its event loop as the terminal does. Reported:
//   pushes_per_s   pushes served per second of the run, the backlog included
//                  (the run ends when it is drained); the panel serves a push
//                  by showing it or, when a later push of the same bond came
//                  before it was shown, by showing that one instead;
//   max_busy_ms    the longest time the GUI thread went without serving a
//                  1 ms timer: how long a trader's click could wait;
//   paints_per_s   repaints of the position table per second (a frame is
//                  16.7 ms: at most about 60);
//   backlog_max    the most pushes ever seen waiting for the GUI thread
//                  (the panel: bonds with a push not yet shown).
// The naive run pushes the same records into a QStandardItemModel table of
// the same size that writes the whole row per push, one change signal per
// cell, as a table without a row store does.
//
//   bench_pledge_pushes [--seconds=10] [--rate=50000]
#include "agreement/CAgreementPledgePosWidget.h"
#include "agreement/COpAgreementRepurchaseWidget.h"
#include "shell/CFiccOperationPanel.h"
#include "shell/COperationFiccWidget.h"

#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/HostReset.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/CInstrumentCenter.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "utils/CDeliveryGuard.h"
#include "utils/CSingletonT.h"
#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/WidgetEvents.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include <boost/make_shared.hpp>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRows = 1000;
constexpr const char *kAccount = "10001";

struct Result
{
    long long pushes = 0;
    double seconds = 0.0;
    double maxBusyMs = 0.0;
    long long paints = 0;
    long long backlogMax = 0;
};

std::string codeOf(int row)
{
    char code[8];
    std::snprintf(code, sizeof code, "1%05d", row);
    return code;
}

// Counts paint events of a widget.
class PaintCounter : public QObject
{
public:
    long long paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void setUpHost()
{
    TC::resetHostForTests();
    TC::CUserConfig *config = TC::getUserConfig();
    config->userName = QStringLiteral("trader01");
    config->deploymentCode = 100;
    config->setPledgeAgreeRepurchase(true);
    ttservice::CAccountInfo info;
    info.accountId = kAccount;
    info.accountName = "账户10001";
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(
        kAccount, ttservice::BROKER_LOGIN_STATUS_OK);
    const TC::CAccountPtr account = config->addAccount(info);
    auto detail = boost::make_shared<ttservice::CAccountDetail>();
    detail->accountId = account->getKey();
    detail->availableFunds = 1.0e8;
    account->getAccountData()->setAccountDetail(detail);

    auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    for (int row = 0; row < kRows; ++row) {
        const std::string code = codeOf(row);
        auto bond = boost::make_shared<ttservice::CInstrumentDetail>();
        bond->market = "SH";
        bond->instrumentCode = code;
        bond->instrumentName = "模拟债" + code;
        bond->bondDetail = boost::make_shared<ttservice::CBondDetail>();
        bond->bondDetail->market = "SH";
        bond->bondDetail->instrumentCode = code;
        bond->bondDetail->faceValue = 100.0;
        instruments->addInstrument(bond);
        types->addTypedStock(10027, "SH", code);
        auto position = boost::make_shared<ttservice::CPositionStatics>();
        position->market = "SH";
        position->instrumentCode = code;
        position->instrumentName = bond->instrumentName;
        position->usableVolume = 100000;
        position->totalVolume = 100000;
        account->getAccountData()->updateData(position, false);
    }
}

// Runs the event loop while `push` is called from a host thread at `rate`
// a second for `seconds`, until every push has been served.
Result drive(double seconds, int rate, const std::function<void(int row, long long volume)> &push,
             const std::function<long long()> &waiting, QObject *paintTarget)
{
    PaintCounter counter;
    paintTarget->installEventFilter(&counter);
    Result result;
    std::atomic<long long> pushed { 0 };
    std::atomic<bool> done { false };

    // The probe: a 1 ms timer whose longest gap is the longest busy stretch.
    QElapsedTimer sinceProbe;
    sinceProbe.start();
    double maxGap = 0.0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        maxGap = std::max(maxGap, sinceProbe.nsecsElapsed() / 1e6);
        sinceProbe.restart();
    });
    probe.start(1);

    const Clock::time_point start = Clock::now();
    std::thread host([&] {
        std::mt19937 random(20261206);
        std::uniform_int_distribution<int> rows(0, kRows - 1);
        std::vector<long long> volumes(kRows, 100000);
        const long long total = static_cast<long long>(seconds * rate);
        // Pushes in bursts of one millisecond's share, as a feed delivers them.
        const int perMs = std::max(1, rate / 1000);
        for (long long sent = 0; sent < total;) {
            const Clock::time_point due
                = start + std::chrono::microseconds(sent * 1000000LL / rate);
            std::this_thread::sleep_until(due);
            for (int i = 0; i < perMs && sent < total; ++i, ++sent) {
                const int row = rows(random);
                volumes[size_t(row)] += (random() & 1) ? 100 : -100;
                push(row, volumes[size_t(row)]);
                ++pushed;
            }
        }
        done = true;
    });
    for (;;) {
        const bool allHanded = done.load();
        const long long backlog = waiting();
        result.backlogMax = std::max(result.backlogMax, backlog);
        if (allHanded && backlog == 0)
            break;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    host.join();
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.pushes = pushed.load();
    // Skip the first gap: it holds the set-up before the loop ran.
    result.maxBusyMs = std::max(0.0, maxGap - 1.0);
    result.paints = counter.paints;
    paintTarget->removeEventFilter(&counter);
    return result;
}

void report(const char *name, const Result &r)
{
    std::printf("%-8s pushes=%lld seconds=%.2f pushes_per_s=%.0f max_busy_ms=%.1f "
                "paints_per_s=%.1f backlog_max=%lld\n",
                name, r.pushes, r.seconds, r.pushes / r.seconds, r.maxBusyMs, r.paints / r.seconds,
                r.backlogMax);
    std::fflush(stdout);
}

Result runPanel(double seconds, int rate)
{
    auto *panel = new TC::CFiccOperationPanel(1, nullptr);
    panel->resize(1200, 600);
    TC::COperationFiccWidget *switcher = panel->operationWidget();
    switcher->setCurrentOperationType(TC::OPT_AGREEMENT_DEAL_DECLARATION);
    panel->show();
    QCoreApplication::processEvents();
    TC::CAgreementPledgePosWidget *positions = switcher->pledgePosTable();
    positions->showAccountPositions(QString::fromLatin1(kAccount),
                                    TC::OPT_AGREEMENT_DEAL_DECLARATION);
    XP::CStandardHpfTable *table = positions->positionTable();
    if (table->rowCount() != kRows) {
        std::fprintf(stderr, "expected %d position rows, got %d\n", kRows, table->rowCount());
        std::exit(1);
    }
    // One ticked row pledging all it holds, as a trader leaves it while
    // watching: a push that lowers its volume lowers the pledge, and the
    // selection goes to the form (pushes that change nothing the form holds
    // are not announced).
    const QString ticked = QStringLiteral("SH|") + QString::fromStdString(codeOf(500));
    auto *ticks = dynamic_cast<XP::CBaseTableColumnCheckBoxDelegate *>(table->columnDelegate(0));
    ticks->setItemChecked(ticked, true);
    positions->handleEvent(XP::EVT_TABLE_CHECKBOX_CLICKED, 0, 0, ticked, nullptr);
    QString quantity = QStringLiteral("100000");
    positions->handleEvent(XP::EVT_TABLE_LINEEDIT_CHANGED, 4, 4, ticked, &quantity);
    QCoreApplication::processEvents();

    ttservice::CAccountDataPtr data
        = TC::getUserConfig()->getAccountData(QString::fromLatin1(kAccount))->getAccountData();
    const Result r = drive(
        seconds, rate,
        [&](int row, long long volume) {
            auto position = boost::make_shared<ttservice::CPositionStatics>();
            position->market = "SH";
            position->instrumentCode = codeOf(row);
            position->instrumentName = "模拟债" + position->instrumentCode;
            position->usableVolume = volume;
            position->totalVolume = volume;
            data->updateData(position, true);
        },
        // A push waits until shown or replaced by a later one of the same bond.
        [&] { return positions->pendingPushes() + utils::CDeliveryGuard::inFlight(); },
        table->view()->viewport());
    if (positions->checkedPositionBonds().size() != 1) {
        std::fprintf(stderr, "the ticked bond was lost\n");
        std::exit(1);
    }
    delete panel;
    return r;
}

Result runNaive(double seconds, int rate)
{
    QStandardItemModel model(kRows, 9);
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < 9; ++column)
            model.setItem(row, column, new QStandardItem(QString::number(row * 9 + column)));
    QTableView view;
    view.setModel(&model);
    view.resize(1200, 600);
    view.show();
    QCoreApplication::processEvents();
    std::atomic<long long> served { 0 };
    std::atomic<long long> handedNaive { 0 };
    const Result r = drive(
        seconds, rate,
        [&](int row, long long volume) {
            ++handedNaive;
            QMetaObject::invokeMethod(
                &model,
                [&, row, volume] {
                    const QString code = QString::fromStdString(codeOf(row));
                    const QString texts[9] = { QString(),
                                               code,
                                               QStringLiteral("模拟债") + code,
                                               QStringLiteral("SH"),
                                               QString::number(0),
                                               QString::number(0.0, 'f', 2),
                                               QString::number(volume),
                                               QString::number(volume * 100.0, 'f', 2),
                                               QStringLiteral("非限售股") };
                    for (int column = 0; column < 9; ++column)
                        model.item(row, column)->setText(texts[column]);
                    ++served;
                },
                Qt::QueuedConnection);
        },
        [&] { return handedNaive.load() - served.load(); }, view.viewport());
    return r;
}

double argument(int argc, char **argv, const char *name, double fallback)
{
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0)
            return std::atof(argv[i] + length);
    return fallback;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argument(argc, argv, "--seconds=", 10.0);
    const int rate = static_cast<int>(argument(argc, argv, "--rate=", 50000));
    setUpHost();
    std::printf("position pushes into a table of %d rows, %d a second for %.0f s\n", kRows, rate,
                seconds);
    report("panel", runPanel(seconds, rate));
    report("naive", runNaive(seconds, rate));
    TC::resetHostForTests();
    return 0;
}
