// Searching the dealer directory as a trader types into a dealer cell of the
// agreement form: a completing editor over the directory's model of all
// dealers, with N dealers (N = 20,000 and 200,000: "J000123 澄湖123银行股份有限公司"
// and the like, in file order, which is not code order).
//
// One iteration is one keystroke sent to the editor's line edit, timed by hand
// from the key press until the list under the editor shows its matches. Before
// each keystroke the list's cache of earlier texts is dropped, so that every
// keystroke searches. The keystrokes go round these texts, typed one character
// at a time:
//   - a dealer code ("J", "J0", ... "J012345"; the first matches every dealer),
//   - a part of a name, as an input method commits it ("澄", "澄湖", "澄湖1", ...),
//   - a digit alone ("7": a part of every code and of most names),
//   - texts that match nothing or are odd: "银行公司" backwards, a regular
//     expression ".*[(", a character outside GBK, and a 200-character text.
// Counters: median_ms, p99_ms and worst_ms over all keystrokes (wall time),
// worst_cpu_ms (this thread's CPU time: the worst without the time a busy
// machine gave to other processes meanwhile), build_ms the first
// search after the model was filled (what a first keystroke pays), and the
// same figures for each kind of text (code_*, name_*, digit_*, odd_*).
#include "common/CDealerDirectory.h"

#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CAutoKeyboardWidget.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>
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

// Dealers in file order: codes are handed out in blocks, so that the list is
// not sorted by code.
QStringList dealerEntries(int count)
{
    static const char *const kinds[] = { "银行股份有限公司", "证券股份有限公司", "基金管理有限公司",
                                         "保险资产管理公司", "信托有限责任公司" };
    QStringList entries;
    entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int d = (i % 8) * (count / 8) + i / 8;
        entries.append(QStringLiteral("J%1 澄湖%2").arg(d, 6, 10, QLatin1Char('0')).arg(d)
                       + QString::fromUtf8(kinds[d % 5]));
    }
    return entries;
}

struct Keystroke
{
    QString before; // the editor's text before the key
    QString typed; // what the key adds
    const char *kind;
};

std::vector<Keystroke> keystrokes(int count)
{
    std::vector<Keystroke> out;
    const auto typeOut = [&out](const QString &text, const char *kind) {
        for (int i = 0; i < text.size(); ++i)
            out.push_back({ text.left(i), text.mid(i, 1), kind });
    };
    // Different dealers each round, so that the texts differ.
    for (int round = 0; round < 4; ++round) {
        const int d = (round * 7919 + 12345) % count;
        typeOut(QStringLiteral("J%1").arg(d, 6, 10, QLatin1Char('0')), "code");
        typeOut(QStringLiteral("澄湖%1").arg(d), "name");
        out.push_back({ QString(), QString::number(round + 6), "digit" });
    }
    out.push_back({ QStringLiteral("银行"), QStringLiteral("公司"), "odd" });
    out.push_back({ QStringLiteral(".*"), QStringLiteral("[("), "odd" });
    out.push_back({ QString(), QString::fromUtf8("\xF0\x9F\x98\x80"), "odd" }); // outside GBK
    out.push_back({ QString(199, QLatin1Char('J')), QStringLiteral("0"), "odd" });
    return out;
}

void BM_DealerSearchKeystroke(benchmark::State &state)
{
    const int count = int(state.range(0));
    XP::CPortfolioSearchModel *model = TC::CDealerDirectory::instance()->model(0);
    model->init(dealerEntries(count));
    QWidget form;
    auto *cell = new XP::CAutoKeyboardLineEdit(model, 1, &form, false);
    form.resize(300, 40);
    form.show();
    QApplication::processEvents();
    QLineEdit *edit = cell->getLineEdit();
    XP::CAutoKeyboardWidget *list = cell->getAutoKeyboardWidget();

    Clock::time_point start = Clock::now();
    const int firstCount = model->search(QStringLiteral("J"), 50).size();
    const double buildMs = msSince(start);
    if (firstCount == 0) {
        state.SkipWithError("no dealer matched");
        return;
    }

    const std::vector<Keystroke> keys = keystrokes(count);
    std::vector<double> ms;
    std::vector<double> cpuMs;
    std::map<std::string, std::vector<double>> byKind;
    size_t next = 0;
    for (auto _ : state) {
        const Keystroke &key = keys[next];
        next = (next + 1) % keys.size();
        edit->setText(key.before);
        list->resetCacheMap();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key.typed);
        const double cpuStart = threadCpuMs();
        start = Clock::now();
        QApplication::sendEvent(edit, &press);
        const double took = msSince(start);
        cpuMs.push_back(threadCpuMs() - cpuStart);
        state.SetIterationTime(took / 1000.0);
        ms.push_back(took);
        byKind[key.kind].push_back(took);
    }
    state.counters["build_ms"] = buildMs;
    state.counters["median_ms"] = median(ms);
    state.counters["worst_ms"] = ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
    state.counters["p99_ms"] = quantile(ms, 0.99);
    state.counters["worst_cpu_ms"] = quantile(cpuMs, 1.0);
    for (const auto &kind : byKind) {
        state.counters[kind.first + "_median_ms"] = median(kind.second);
        state.counters[kind.first + "_worst_ms"]
            = *std::max_element(kind.second.begin(), kind.second.end());
    }
    TC::CDealerDirectory::instance()->resetForTests();
}
BENCHMARK(BM_DealerSearchKeystroke)
    ->Arg(20000)
    ->Arg(200000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(400);

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
