// Constructing and painting the whole FICC operation panel against a plain Qt
// form of 300 controls (10 group boxes of 30) built and shown the same way.
//
// One measured sample is: construct the widget as a top-level, resize it to
// 1200x600, show() it, deliver the posted events a real show delivers before
// the first paint (polish, layout requests), then grab() it, which paints the
// whole visible tree synchronously into a pixmap. Deleting the widget is not
// timed (manual timing: the Time column is construct+show+paint only; the CPU
// column also holds the untimed deletion and event draining).
//
// Both kinds run in the terminal's look: the process applies the default style
// (Fusion, palette, application style sheet, CJK font) as the terminal does at
// start-up, and the host world is the usual one (deployment 100, all three
// businesses offered, three accounts with funds). log4cxx is left unconfigured.
//
// Warm: repeated construction in a process that has already built and painted
// one widget of the same kind. Cold: one widget in a fresh process; the
// benchmark re-executes itself with --cold-once=panel|form ten times. In the
// child, "cold" starts once QApplication and the host world exist and covers
// applying the terminal's style (theme load, font database), the first use of
// fonts and style sheet rules, and construct+show+paint. Counters:
//   widgets        findChildren<QWidget *>() + 1 of the top-level, hidden
//                  widgets and the inner widgets of Qt's own controls included
//                  (a combo box whose drop-down list exists carries 9 of its
//                  own: the plain form's all do, while the toolkit's combo
//                  boxes and search lists build theirs when first opened);
//   us_per_widget  mean time / widgets;
//   median_ms      median sample (max_ms: slowest cold sample);
//   style_ms       cold only: applying the style, part of the cold figure;
//   with_app_ms    cold only: main() entry to painted, QApplication creation
//                  included, host world set-up excluded;
//   process_ms     cold only: spawn to painted as the parent sees it, exec,
//                  dynamic linking and host world included (the child leaves
//                  with _Exit, so teardown is not).
#include "shell/CFiccOperationPanel.h"

#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/HostReset.h"
#include "ttservice/CAccountDetail.h"
#include "utils/CSingletonT.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <boost/make_shared.hpp>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <numeric>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 1200;
constexpr int kHeight = 600;
constexpr int kColdSamples = 10;
constexpr int kGroups = 10;
constexpr const char *kColdFlag = "--cold-once=";
constexpr const char *kColdTag = "cold-once";

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns on every show of a top-level that it cannot pass
// size hints on; a desktop platform does not, and the warning would be timed.
void dropSizeHintWarning(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

std::int64_t nsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
}

void addAccount(const std::string &id, double funds, ttservice::EBROKER_LOGIN_STATUS status)
{
    ttservice::CAccountInfo info;
    info.accountId = id;
    info.accountName = "账户" + id;
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(id, status);
    const TC::CAccountPtr account = TC::getUserConfig()->addAccount(info);
    auto detail = boost::make_shared<ttservice::CAccountDetail>();
    detail->accountId = account->getKey();
    detail->availableFunds = funds;
    detail->totalAssets = funds;
    account->getAccountData()->setAccountDetail(detail);
}

// The world of a trader offered every FICC business.
void setUpHost()
{
    TC::resetHostForTests();
    TC::CUserConfig *config = TC::getUserConfig();
    config->userName = QStringLiteral("trader01");
    config->deploymentCode = 100;
    config->setQuotationRepurchase(true);
    config->setPledgeAgreeRepurchase(true);
    config->setSpotTrade(true);
    addAccount("10001", 1000000.0, ttservice::BROKER_LOGIN_STATUS_OK);
    addAccount("10002", 250000.0, ttservice::BROKER_LOGIN_STATUS_OK);
    addAccount("10003", 50000.0, ttservice::BROKER_LOGIN_STATUS_REFRESHING);
}

QWidget *buildPanel()
{
    return new TC::CFiccOperationPanel(1, nullptr);
}

QComboBox *combo(int items)
{
    auto *box = new QComboBox;
    for (int i = 0; i < items; ++i)
        box->addItem(QStringLiteral("选项%1").arg(i + 1));
    return box;
}

QLabel *label(const char *text)
{
    return new QLabel(QString::fromUtf8(text));
}

// Ten group boxes of 30 controls each (13 labels, 7 line edits, 6 combo boxes,
// 4 push buttons) in nested box and grid layouts, five groups to a row so that
// the form fits 1200x600 as the panel does.
QWidget *buildPlainForm()
{
    auto *form = new QWidget;
    auto *grid = new QGridLayout(form);
    grid->setSpacing(4);
    grid->setContentsMargins(4, 4, 4, 4);
    for (int g = 0; g < kGroups; ++g) {
        auto *box = new QGroupBox(QStringLiteral("分组%1").arg(g + 1));
        auto *column = new QVBoxLayout(box);
        column->setSpacing(4);
        column->setContentsMargins(6, 6, 6, 6);

        auto *fields = new QGridLayout; // 12
        for (int i = 0; i < 6; ++i) {
            fields->addWidget(new QLabel(QStringLiteral("字段%1").arg(i + 1)), i / 2, (i % 2) * 2);
            auto *edit = new QLineEdit(QStringLiteral("%1").arg(1000.25 * (i + 1), 0, 'f', 2));
            fields->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        }
        column->addLayout(fields);

        auto *choices = new QGridLayout; // 8
        for (int i = 0; i < 4; ++i) {
            choices->addWidget(label("类型"), i / 2, (i % 2) * 2);
            choices->addWidget(combo(4), i / 2, (i % 2) * 2 + 1);
        }
        column->addLayout(choices);

        auto *nested = new QVBoxLayout; // 6
        auto *first = new QHBoxLayout;
        first->addWidget(label("账户"));
        first->addWidget(combo(3));
        first->addWidget(label("数量"));
        first->addWidget(new QLineEdit);
        nested->addLayout(first);
        auto *second = new QHBoxLayout;
        second->addWidget(label("方向"));
        second->addWidget(combo(2));
        nested->addLayout(second);
        column->addLayout(nested);

        auto *buttons = new QGridLayout; // 4
        const char *const texts[] = { "买入", "卖出", "重置", "导入" };
        for (int i = 0; i < 4; ++i)
            buttons->addWidget(new QPushButton(QString::fromUtf8(texts[i])), i / 2, i % 2);
        column->addLayout(buttons);

        grid->addWidget(box, g / 5, g % 5);
    }
    return form;
}

using Builder = std::function<QWidget *()>;

struct Shown
{
    QWidget *widget = nullptr;
    std::int64_t ns = 0;
    bool painted = false;
};

// Construct, show and paint: the timed region.
Shown buildAndPaint(const Builder &build)
{
    Shown shown;
    const Clock::time_point start = Clock::now();
    shown.widget = build();
    shown.widget->resize(kWidth, kHeight);
    shown.widget->show();
    QCoreApplication::sendPostedEvents();
    const QPixmap pixmap = shown.widget->grab();
    shown.ns = nsSince(start);
    shown.painted = !pixmap.isNull() && pixmap.size() == shown.widget->size();
    return shown;
}

int widgetCount(const QWidget *top)
{
    return top->findChildren<QWidget *>().size() + 1;
}

void dispose(QWidget *widget)
{
    delete widget;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2.0;
}

double mean(const std::vector<double> &v)
{
    return v.empty() ? 0.0 : std::accumulate(v.begin(), v.end(), 0.0) / v.size();
}

void runWarm(benchmark::State &state, const Builder &build)
{
    // Warm-up: first use of the theme images, fonts and style sheet rules.
    Shown first = buildAndPaint(build);
    const int widgets = widgetCount(first.widget);
    dispose(first.widget);
    if (!first.painted) {
        state.SkipWithError("the widget did not paint");
        return;
    }

    std::vector<double> ms;
    for (auto _ : state) {
        const Shown shown = buildAndPaint(build);
        state.SetIterationTime(shown.ns / 1e9);
        ms.push_back(shown.ns / 1e6);
        dispose(shown.widget);
    }
    state.counters["widgets"] = widgets;
    state.counters["median_ms"] = median(ms);
    state.counters["us_per_widget"] = mean(ms) * 1000.0 / widgets;
}

void BM_PanelWarm(benchmark::State &state)
{
    runWarm(state, buildPanel);
}
BENCHMARK(BM_PanelWarm)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_PlainFormWarm(benchmark::State &state)
{
    runWarm(state, buildPlainForm);
}
BENCHMARK(BM_PlainFormWarm)->UseManualTime()->Unit(benchmark::kMillisecond);

struct ColdSample
{
    double appMs = 0; // QApplication construction
    double styleMs = 0; // applying the terminal's style, theme load included
    double buildMs = 0; // construct + show + paint
    double processMs = 0; // spawn to painted, seen by the parent
    int widgets = 0;
};

bool runColdChild(const char *kind, ColdSample &sample, QString &error)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const Clock::time_point start = Clock::now();
    child.start(QCoreApplication::applicationFilePath(),
                { QString::fromLatin1(kColdFlag) + QString::fromLatin1(kind) });
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit
        || child.exitCode() != 0) {
        error = QStringLiteral("cold child failed: ")
            + QString::fromLocal8Bit(child.readAllStandardError());
        return false;
    }
    sample.processMs = nsSince(start) / 1e6;
    // Log lines of the host may share stdout; the result is the tagged line.
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.size() == 5 && f.at(0) == kColdTag) {
            sample.appMs = f.at(1).toLongLong() / 1e6;
            sample.styleMs = f.at(2).toLongLong() / 1e6;
            sample.buildMs = f.at(3).toLongLong() / 1e6;
            sample.widgets = f.at(4).toInt();
            return sample.widgets > 0;
        }
    }
    error = QStringLiteral("cold child printed no result");
    return false;
}

void runCold(benchmark::State &state, const char *kind)
{
    std::vector<double> cold, withApp, process, style;
    int widgets = 0;
    for (auto _ : state) {
        ColdSample sample;
        QString error;
        if (!runColdChild(kind, sample, error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        const double ms = sample.styleMs + sample.buildMs;
        state.SetIterationTime(ms / 1e3);
        cold.push_back(ms);
        withApp.push_back(sample.appMs + ms);
        process.push_back(sample.processMs);
        style.push_back(sample.styleMs);
        widgets = sample.widgets;
    }
    state.counters["widgets"] = widgets;
    state.counters["median_ms"] = median(cold);
    state.counters["max_ms"] = *std::max_element(cold.begin(), cold.end());
    state.counters["style_ms"] = median(style);
    state.counters["with_app_ms"] = median(withApp);
    state.counters["process_ms"] = median(process);
    state.counters["us_per_widget"] = mean(cold) * 1000.0 / widgets;
}

void BM_PanelCold(benchmark::State &state)
{
    runCold(state, "panel");
}
BENCHMARK(BM_PanelCold)->UseManualTime()->Iterations(kColdSamples)->Unit(benchmark::kMillisecond);

void BM_PlainFormCold(benchmark::State &state)
{
    runCold(state, "form");
}
BENCHMARK(BM_PlainFormCold)
    ->UseManualTime()
    ->Iterations(kColdSamples)
    ->Unit(benchmark::kMillisecond);

// The child of a cold sample: prints
//   cold-once <QApplication ns> <style ns> <construct+show+paint ns> <widgets>
// and leaves without tearing anything down.
int coldOnce(int argc, char **argv, const char *kind)
{
    const bool panel = std::strcmp(kind, "panel") == 0;
    if (!panel && std::strcmp(kind, "form") != 0) {
        std::fprintf(stderr, "unknown cold kind: %s\n", kind);
        return 2;
    }
    const Clock::time_point appStart = Clock::now();
    QApplication app(argc, argv);
    const std::int64_t appNs = nsSince(appStart);

    setUpHost();

    const Clock::time_point styleStart = Clock::now();
    XP::applyDefaultStyle(&app);
    const std::int64_t styleNs = nsSince(styleStart);

    const Shown shown = buildAndPaint(panel ? Builder(buildPanel) : Builder(buildPlainForm));
    if (!shown.painted) {
        std::fprintf(stderr, "the widget did not paint\n");
        std::fflush(stderr);
        std::_Exit(1);
    }
    std::printf("%s %lld %lld %lld %d\n", kColdTag, static_cast<long long>(appNs),
                static_cast<long long>(styleNs), static_cast<long long>(shown.ns),
                widgetCount(shown.widget));
    std::fflush(stdout);
    std::_Exit(0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(dropSizeHintWarning);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kColdFlag, std::strlen(kColdFlag)) == 0)
            return coldOnce(argc, argv, argv[i] + std::strlen(kColdFlag));
    }

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
