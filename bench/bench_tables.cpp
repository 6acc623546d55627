// Filling the agreement contract table with the contracts of one account,
// from the answer slot until the table is painted, against a QTableWidget that
// carries a radio button and a clickable label as cell widgets per row,
// filled the same way in the same run.
//
// One sample: hand N contracts to the table's answer slot, let the posted
// events run (the table shows a fill in one batch), then grab() the table
// widget at 1000x400, which paints what is on screen synchronously. The
// QTableWidget baseline: clear, N rows of 16 text items plus a QRadioButton
// (column 0) and a QLabel link (column 4), then the same grab().
//
//   BM_ContractTable/N        the table with a bare operation widget (it takes
//                             the contract and counts it, nothing more)
//   BM_ContractTableInPanel/N the whole FICC panel on 提前购回: every choosable
//                             contract goes into the real form as the table
//                             announces it
//   BM_QTableWidgetBaseline/N
// Counters: heap_mb = heap in use after the fill minus before (mallinfo2),
// per_row_us = time / N. Half the contracts are choosable for 提前购回.
#include "agreement/CAgreementTableWidget.h"
#include "agreement/IBaseAgreementRepurchaseWidget.h"
#include "shell/CFiccOperationPanel.h"
#include "tc/CHostClock.h"
#include "tc/COpAccountsModel.h"
#include "tc/COpAccountsWidget.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/HostReset.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "xp/COddEvenRowTable.h"
#include "xp/DefaultStyle.h"
#include "xp/NumberFormat.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include <chrono>
#include <malloc.h>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
const QSize kTableSize(1000, 400);

QtMessageHandler previousHandler = nullptr;
void dropSizeHintWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

double heapMb()
{
    // Small blocks from the heap plus the large ones malloc maps by themselves.
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

ttservice::CAccountInfoPtr g_account;

void setUpHost()
{
    TC::resetHostForTests();
    TC::CHostClock::setToday(QDate(2026, 6, 10));
    TC::CUserConfig *config = TC::getUserConfig();
    config->userName = QStringLiteral("trader01");
    config->deploymentCode = 100;
    config->setPledgeAgreeRepurchase(true);
    ttservice::CAccountInfo info;
    info.accountId = "10001";
    info.accountName = "晨岭稳健债券基金";
    info.brokerType = 1;
    const TC::CAccountPtr account = config->addAccount(info);
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(
        "10001", ttservice::BROKER_LOGIN_STATUS_OK);
    auto detail = boost::make_shared<ttservice::CAccountDetail>();
    detail->accountId = "10001";
    detail->availableFunds = 5e7;
    account->getAccountData()->setAccountDetail(detail);
    g_account = account->getAccountData()->getAccountInfo();
}

std::vector<ttservice::IDataPtr> makeContracts(int n)
{
    std::vector<ttservice::IDataPtr> records;
    records.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        auto c = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
        c->accountInfo = g_account;
        c->market = i % 3 ? "SH" : "SZ";
        c->repurchaseAmount = 1e6 * (1 + i % 50);
        c->conversionRatio = 0.85;
        c->repurchaseDays = 30;
        c->direction = i % 2 ? '1' : '2';
        c->repurchaseRate = 0.0215;
        // Even rows inside their term on 2026-06-10, odd rows already matured.
        c->firstSettleDate = i % 2 ? 20260501 : 20260601;
        c->maturitySettleDate = i % 2 ? 20260531 : 20260701;
        c->contractNo = "HT" + std::to_string(20260000000LL + i);
        c->contractStatus = '1';
        c->supplementaryTerms = "到期按约定利率结算";
        c->dealer = "1005";
        c->tradingEntity = "100502";
        c->counterpartyEntity = "100401";
        for (int b = 0; b < 1 + i % 3; ++b) {
            auto bond = boost::make_shared<ttservice::CRepurchasePledgedBond>();
            bond->market = c->market;
            bond->bondCode = "0195" + std::to_string(40 + b);
            bond->bondName = "16国债19";
            bond->pledgeVolume = 10000;
            c->pledgedBonds.push_back(bond);
        }
        records.push_back(c);
    }
    return records;
}

// An operation widget that takes the contract and nothing else, so that the
// table's own cost is measured.
class BareOperation final : public TC::IBaseAgreementRepurchaseWidget
{
public:
    explicit BareOperation(QWidget *parent)
        : IBaseAgreementRepurchaseWidget(parent)
    {
        setOperationType(TC::OPT_AGREEMENT_EARLY_REPURCHASE);
    }
    void setAccountKeys(std::set<std::string> *) override { }
    void refreshAccountInfo() override { }
    void setContract(const std::string &key) override { last = key; }
    QString currentAccountKey() const override { return QStringLiteral("10001"); }
    void setCurrentAccount(const QString &) override { }
    void doOperation() override { }
    void contractListReloaded() override { }
    std::string traderCode() const override { return std::string(); }
    std::string last;
};

// Times fill+paint per iteration. The heap a filled table holds is taken
// from `fresh`, which builds a new table, fills and paints it: the heap in use
// after it minus before, the table's widgets included.
template<class Fill, class Fresh>
void runFill(benchmark::State &state, QWidget *painted, Fill fill, Fresh fresh)
{
    double seconds = 0.0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        fill();
        QCoreApplication::sendPostedEvents();
        const QPixmap pixmap = painted->grab();
        const double sample = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(sample);
        seconds += sample;
        benchmark::DoNotOptimize(pixmap);
    }
    const double before = heapMb();
    std::unique_ptr<QWidget> filled = fresh();
    QCoreApplication::sendPostedEvents();
    filled->grab();
    state.counters["heap_mb"] = heapMb() - before;
    filled.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.counters["per_row_us"]
        = seconds * 1e6 / double(state.iterations()) / double(state.range(0));
}

void BM_ContractTable(benchmark::State &state)
{
    const std::vector<ttservice::IDataPtr> contracts = makeContracts(int(state.range(0)));
    QWidget host;
    auto *operation = new BareOperation(&host);
    auto *table = new TC::CAgreementTableWidget(&host);
    table->resize(kTableSize);
    host.resize(kTableSize);
    table->setOperationWidget(operation);
    host.show();
    QCoreApplication::processEvents();
    runFill(
        state, table,
        [&] {
            table->slot_queryAgreementContract(utils::TTError::success(), contracts,
                                               bson::BSONObj(), "10001",
                                               TC::OPT_AGREEMENT_EARLY_REPURCHASE);
        },
        [&] {
            // Handing over the operation fills the table from the account's
            // data, which holds the N contracts by now.
            auto widget = std::make_unique<QWidget>();
            widget->resize(kTableSize);
            auto *fresh = new TC::CAgreementTableWidget(widget.get());
            fresh->resize(kTableSize);
            fresh->setOperationWidget(new BareOperation(widget.get()));
            return widget;
        });
    if (operation->last.empty())
        state.SkipWithError("no contract reached the operation widget");
}
BENCHMARK(BM_ContractTable)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_ContractTableInPanel(benchmark::State &state)
{
    const std::vector<ttservice::IDataPtr> contracts = makeContracts(int(state.range(0)));
    TC::CFiccOperationPanel panel(1, nullptr);
    panel.setParam(QStringLiteral("2//1003"));
    panel.refreshAccounts();
    panel.resize(1400, 600);
    panel.show();
    QCoreApplication::processEvents();
    auto *table = panel.findChild<TC::CAgreementTableWidget *>();
    if (!table || !table->operationWidget()) {
        state.SkipWithError("the panel shows no contract table");
        return;
    }
    runFill(
        state, table,
        [&] {
            table->slot_queryAgreementContract(utils::TTError::success(), contracts,
                                               bson::BSONObj(), "10001",
                                               TC::OPT_AGREEMENT_EARLY_REPURCHASE);
        },
        [&] { return std::unique_ptr<QWidget>(new QWidget); });
    state.counters.erase("heap_mb"); // the panel's memory is the construction benchmark's
}
BENCHMARK(BM_ContractTableInPanel)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_QTableWidgetBaseline(benchmark::State &state)
{
    const std::vector<ttservice::IDataPtr> contracts = makeContracts(int(state.range(0)));
    QTableWidget table;
    table.setColumnCount(18);
    table.verticalHeader()->hide();
    table.resize(kTableSize);
    table.show();
    QCoreApplication::processEvents();
    auto fillTable = [&](QTableWidget &table) {
        table.clearContents();
        table.setRowCount(0);
        table.setRowCount(int(contracts.size()));
        int row = 0;
        for (const ttservice::IDataPtr &record : contracts) {
            const auto &c
                = static_cast<const ttservice::CRepurchaseAgreementContractInfo &>(*record);
            table.setCellWidget(row, 0, new QRadioButton(QString()));
            auto *link = new QLabel(QString::number(c.pledgedBonds.size()));
            link->setCursor(Qt::PointingHandCursor);
            table.setCellWidget(row, 4, link);
            const QString texts[] = {
                QString::fromStdString(c.accountInfo->accountId),
                QString::fromStdString(c.accountInfo->accountName),
                QString::fromStdString(c.market),
                QString::number(c.conversionRatio * 100, 'f', 2),
                QString::number(c.repurchaseAmount, 'f', 3),
                QString::number(c.repurchaseDays),
                c.direction == '1' ? QStringLiteral("正回购") : QStringLiteral("逆回购"),
                QString::number(c.repurchaseRate * 100, 'f', 3),
                QString::number(c.maturitySettleDate),
                QString::number(c.repurchaseAmount * 1.001, 'f', 2),
                QString::fromStdString(c.contractNo),
                QString::fromStdString(c.supplementaryTerms),
                QString::fromStdString(c.dealer),
                QString::fromStdString(c.tradingEntity),
                QString::fromStdString(c.counterpartyEntity),
                QStringLiteral("正常"),
            };
            int column = 1;
            for (const QString &text : texts) {
                if (column == 4)
                    ++column;
                table.setItem(row, column++, new QTableWidgetItem(text));
            }
            ++row;
        }
    };
    runFill(
        state, &table, [&] { fillTable(table); },
        [&] {
            auto fresh = std::make_unique<QTableWidget>();
            fresh->setColumnCount(18);
            fresh->resize(kTableSize);
            fillTable(*fresh);
            return std::unique_ptr<QWidget>(fresh.release());
        });
}
// A 10,000-row fill of QTableWidget with cell widgets takes tens of seconds:
// one sample is enough to compare.
BENCHMARK(BM_QTableWidgetBaseline)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QTableWidgetBaseline)
    ->Arg(10000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The account list of the spot page with N fund accounts.
//   BM_AccountListFill/N    reload the accounts from the user configuration
//                           (rows, login states, funds subscriptions) and paint
//   BM_AccountListBuild/N   build the list for N accounts and paint it
//   BM_AccountFundsUpdate/N one account's funds pushed by the counter, until
//                           the list has repainted the change
void addAccounts(int n)
{
    TC::CUserConfig *config = TC::getUserConfig();
    auto *client = utils::CManualSingletonT<TC::CTradeClient>::instance();
    for (int i = int(config->getAccountDatas().size()); i < n; ++i) {
        ttservice::CAccountInfo info;
        info.accountId = std::to_string(200000 + i);
        info.accountName = "晨岭稳健债券基金" + std::to_string(i);
        info.brokerType = 1;
        const TC::CAccountPtr account = config->addAccount(info);
        client->setLoginStatus(info.accountId,
                               i % 7 ? ttservice::BROKER_LOGIN_STATUS_OK
                                     : ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN);
        auto detail = boost::make_shared<ttservice::CAccountDetail>();
        detail->accountId = info.accountId;
        detail->availableFunds = 1e6 + i;
        account->getAccountData()->setAccountDetail(detail);
    }
}

void BM_AccountListFill(benchmark::State &state)
{
    setUpHost();
    addAccounts(int(state.range(0)));
    TC::COpAccountsWidget list(4, true, true, nullptr, 1);
    list.resize(kTableSize);
    list.show();
    QCoreApplication::processEvents();
    runFill(
        state, &list, [&] { list.loadAccountGroupSettings(); },
        [&] {
            return std::unique_ptr<QWidget>(new TC::COpAccountsWidget(4, true, true, nullptr, 1));
        });
    if (list.getDisplayedAccounts().size() != size_t(state.range(0)))
        state.SkipWithError("not every account is listed");
}
BENCHMARK(BM_AccountListFill)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The list built for N accounts and painted: rows and login states. The list
// subscribes to the accounts' funds right after its first picture; that pass
// is timed apart (subscribe_ms, from the picture until every account is
// subscribed, the timer's turn included). Deleting the list is not timed.
void BM_AccountListBuild(benchmark::State &state)
{
    setUpHost();
    addAccounts(int(state.range(0)));
    const ttservice::CAccountDataPtr last
        = TC::getUserConfig()->getAccountDatas().back()->getAccountData();
    double subscribeMs = 0.0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        auto list = std::make_unique<TC::COpAccountsWidget>(4, true, true, nullptr, 1);
        list->resize(kTableSize);
        QCoreApplication::sendPostedEvents();
        const QPixmap pixmap = list->grab();
        const Clock::time_point painted = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(painted - start).count());
        benchmark::DoNotOptimize(pixmap);
        state.PauseTiming();
        while (last->subscriptionCount() == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        subscribeMs += std::chrono::duration<double, std::milli>(Clock::now() - painted).count();
        list.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["subscribe_ms"] = subscribeMs / double(state.iterations());
}
BENCHMARK(BM_AccountListBuild)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_AccountFundsUpdate(benchmark::State &state)
{
    setUpHost();
    addAccounts(int(state.range(0)));
    TC::COpAccountsWidget list(4, true, true, nullptr, 1);
    list.resize(kTableSize);
    list.show();
    // The account on screen whose funds move, once the list has subscribed.
    const ttservice::CAccountDataPtr data
        = TC::getUserConfig()->getAccountData(QStringLiteral("200001"))->getAccountData();
    while (data->subscriptionCount() == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    list.grab();
    double funds = 1e6;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        auto detail = boost::make_shared<ttservice::CAccountDetail>();
        detail->accountId = "200001";
        detail->availableFunds = (funds += 1.0);
        data->setAccountDetail(detail);
        // The delivery, the table's batch and the repaint are each a posted event.
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::sendPostedEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const QString shown = list.rows().text(list.rows().rowOfKey(QStringLiteral("200001")),
                                           TC::COpAccountsModel::ColAvailableFunds);
    if (shown != XP::formatDoubleNumber(funds, 2, XP::NF_THOUSANDS))
        state.SkipWithError("the funds did not reach the list");
}
BENCHMARK(BM_AccountFundsUpdate)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(dropSizeHintWarning);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    XP::applyDefaultStyle(&app);
    setUpHost();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TC::resetHostForTests();
    return 0;
}
