// The spot order form's bond code editor, as a trader feels it, in the whole
// FICC panel on the spot page, with N instruments in the directory (N = 1,000
// and 10,000: bonds of "SH" and "SZ", one code in 40 listed in both markets,
// one instrument in 10 a stock that the bond filter leaves out).
//
//   BM_CodeEditorFocusIn/N      the editor takes the focus (a focus-in event
//                               sent to its line edit), from an unfocused,
//                               empty editor.
//   BM_CodeEditorCompleteKey/N  five digits of a listed code are typed (not
//                               timed), then the key of the sixth digit: the
//                               list follows the text, the code is entered
//                               and the spot page fills name, amounts and
//                               orderable quantities. The codes typed go
//                               round 97 instruments spread over the directory.
//
// Each iteration is one action, timed by hand; counters: median_ms, p99_ms,
// worst_ms (wall time) and worst_cpu_ms (this thread's CPU time, without the
// time a busy machine gave to other processes meanwhile).
// The offscreen platform is used when no other is chosen.
#include "shell/CFiccOperationPanel.h"

#include "tc/CStockCodeLineEdit.h"
#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/HostReset.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns on every show of a top-level that it cannot
// pass size hints on, or raise the list; a desktop platform does not.
void dropSizeHintWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg
        && (text.contains(QLatin1String("propagateSizeHints"))
            || text.contains(QLatin1String("raise()"))))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The value below which `share` of the samples lie.
double quantile(std::vector<double> v, double share)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(double(v.size()) * share))];
}

double median(const std::vector<double> &v)
{
    return quantile(v, 0.5);
}

// CPU time of this thread: what a keystroke cost, without the time the
// machine gave to other processes meanwhile.
double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void addAccount(const std::string &id, double funds)
{
    ttservice::CAccountInfo info;
    info.accountId = id;
    info.accountName = "账户" + id;
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(
        id, ttservice::BROKER_LOGIN_STATUS_OK);
    const TC::CAccountPtr account = TC::getUserConfig()->addAccount(info);
    auto detail = boost::make_shared<ttservice::CAccountDetail>();
    detail->accountId = account->getKey();
    detail->availableFunds = funds;
    detail->totalAssets = funds;
    account->getAccountData()->setAccountDetail(detail);
}

ttservice::CInstrumentDetailPtr instrument(const std::string &market, const std::string &code,
                                           int i, bool bond)
{
    static const char *const kinds[] = { "国债", "地方债", "公司债", "企业债", "金融债" };
    auto detail = boost::make_shared<ttservice::CInstrumentDetail>();
    detail->market = market;
    detail->instrumentCode = code;
    detail->instrumentName
        = (bond ? std::string("澄湖") + kinds[i % 5] : std::string("远川股份")) + std::to_string(i);
    detail->instrumentTag = market + code;
    detail->accruedInterest = 0.25 + (i % 100) / 100.0;
    if (bond) {
        detail->bondDetail = boost::make_shared<ttservice::CBondDetail>();
        detail->bondDetail->market = market;
        detail->bondDetail->instrumentCode = code;
        detail->bondDetail->faceValue = 100.0;
    }
    return detail;
}

// Codes of the listed bonds, the first market's when a code is listed twice.
std::vector<QString> fillDirectory(int count)
{
    ttservice::CInstrumentCenter *center = ttservice::TraderCenter::instance()->getInstCenter();
    center->clear();
    std::vector<QString> bondCodes;
    for (int i = 0; i < count; ++i) {
        const std::string code = std::to_string(100000 + i * 37 % 900000);
        const bool bond = i % 10 != 0;
        const std::string market = i % 2 ? "SZ" : "SH";
        center->addInstrument(instrument(market, code, i, bond));
        if (i % 40 == 1) // also listed in the other market
            center->addInstrument(instrument(market == "SH" ? "SZ" : "SH", code, i, bond));
        if (bond && i % 40 != 1)
            bondCodes.push_back(QString::fromStdString(code));
    }
    return bondCodes;
}

// The panel on the spot page with a directory of `count` instruments.
struct SpotPage
{
    std::unique_ptr<QWidget> panel;
    TC::CStockCodeLineEdit *editor = nullptr;
    std::vector<QString> codes;

    explicit SpotPage(int count)
    {
        TC::resetHostForTests();
        TC::CUserConfig *config = TC::getUserConfig();
        config->userName = QStringLiteral("trader01");
        config->deploymentCode = 100;
        config->setPledgeAgreeRepurchase(true);
        config->setQuotationRepurchase(true);
        config->setSpotTrade(true);
        addAccount("10001", 1000000.0);
        addAccount("10002", 250000.0);
        codes = fillDirectory(count);
        panel = std::make_unique<TC::CFiccOperationPanel>(1, nullptr);
        static_cast<TC::CFiccOperationPanel *>(panel.get())->setParam(QStringLiteral("3//"));
        panel->resize(1200, 600);
        panel->show();
        QApplication::processEvents();
        editor = panel->findChild<TC::CStockCodeLineEdit *>();
    }
    ~SpotPage() { TC::resetHostForTests(); }

    void focus(QEvent::Type type) const
    {
        QFocusEvent event(type, Qt::TabFocusReason);
        QApplication::sendEvent(editor->getLineEdit(), &event);
    }
    void key(QChar c) const
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (c.unicode() - '0'), Qt::NoModifier,
                        QString(c));
        QApplication::sendEvent(editor->getLineEdit(), &press);
    }
};

void BM_CodeEditorFocusIn(benchmark::State &state)
{
    SpotPage page(int(state.range(0)));
    if (!page.editor) {
        state.SkipWithError("no code editor on the spot page");
        return;
    }
    page.focus(QEvent::FocusIn); // first focus: whatever is built once
    page.focus(QEvent::FocusOut);
    std::vector<double> ms;
    std::vector<double> cpuMs;
    for (auto _ : state) {
        const double cpuStart = threadCpuMs();
        const Clock::time_point start = Clock::now();
        page.focus(QEvent::FocusIn);
        const double took = msSince(start);
        cpuMs.push_back(threadCpuMs() - cpuStart);
        state.SetIterationTime(took / 1000.0);
        ms.push_back(took);
        page.focus(QEvent::FocusOut);
    }
    state.counters["median_ms"] = median(ms);
    state.counters["worst_ms"] = ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
    state.counters["p99_ms"] = quantile(ms, 0.99);
    state.counters["worst_cpu_ms"] = quantile(cpuMs, 1.0);
}
BENCHMARK(BM_CodeEditorFocusIn)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

void BM_CodeEditorCompleteKey(benchmark::State &state)
{
    SpotPage page(int(state.range(0)));
    if (!page.editor || page.codes.empty()) {
        state.SkipWithError("no code editor on the spot page");
        return;
    }
    page.focus(QEvent::FocusIn);
    std::vector<double> ms;
    std::vector<double> cpuMs;
    size_t next = 0;
    int entered = 0;
    const size_t step = std::max<size_t>(1, page.codes.size() / 97);
    for (auto _ : state) {
        state.PauseTiming();
        const QString code = page.codes[next];
        next = (next + step) % page.codes.size();
        page.editor->clearCode();
        for (int i = 0; i < 5; ++i)
            page.key(code.at(i));
        state.ResumeTiming();
        const double cpuStart = threadCpuMs();
        const Clock::time_point start = Clock::now();
        page.key(code.at(5));
        const double took = msSince(start);
        cpuMs.push_back(threadCpuMs() - cpuStart);
        state.SetIterationTime(took / 1000.0);
        ms.push_back(took);
        entered += page.editor->code() == code ? 1 : 0;
    }
    if (entered != int(ms.size()))
        state.SkipWithError("a typed code was not entered");
    state.counters["median_ms"] = median(ms);
    state.counters["worst_ms"] = ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
    state.counters["p99_ms"] = quantile(ms, 0.99);
    state.counters["worst_cpu_ms"] = quantile(cpuMs, 1.0);
}
BENCHMARK(BM_CodeEditorCompleteKey)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(200);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(dropSizeHintWarning);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    XP::applyDefaultStyle(&app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
