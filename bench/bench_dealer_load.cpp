// Loading the dealer file at two sizes: 100,001 lines (20,000 dealers) and
// 1,000,001 lines (200,000 dealers), 5 subjects a dealer, traders on each
// dealer's first line, Chinese names, in GBK.
//
//   BM_DealerLoad/N       CDealerDirectory::load() of the file, read from disk
//                         (page cache) each time.
//   BM_DealerGbkDecode/N  the floor: the same bytes, already in memory, decoded
//                         from GBK in one call.
//   BM_DealerLoadMemory/N a fresh process (this program again, with
//                         --memory-once=PATH) loads the file twice; counters:
//                           first_ms      the first load,
//                           rss_mb        resident memory the first load added,
//                           reload_peak_mb the highest resident memory during
//                                         the second load, over the resident
//                                         memory before it,
//                           reload_rss_mb resident memory after the second load,
//                                         over that before it (what a reload
//                                         keeps that it should have released).
//
// The files are written once to a temporary directory.
#include "common/CDealerDirectory.h"

#include "utils/StringHelper.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
constexpr const char *kMemoryFlag = "--memory-once=";

QByteArray generate(int dealers)
{
    static const char *const kinds[] = { "银行股份有限公司", "证券股份有限公司", "基金管理有限公司",
                                         "保险资产管理公司", "信托有限责任公司" };
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    QByteArray bytes = gbk->fromUnicode(
        QStringLiteral("交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n"));
    for (int d = 0; d < dealers; ++d) {
        QString text;
        const QString code = QStringLiteral("J%1").arg(d, 6, 10, QLatin1Char('0'));
        const QString name = QStringLiteral("澄湖%1").arg(d) + QString::fromUtf8(kinds[d % 5]);
        for (int s = 0; s < 5; ++s) {
            text += code + ',' + name + ',' + code
                + QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')) + ',' + name
                + QStringLiteral("第%1号资产管理计划").arg(s + 1);
            if (s == 0)
                text += QStringLiteral(",T%1A|T%1B|T%1C,程晓帆|邵亦岚|葛书宁").arg(d);
            text += '\n';
        }
        bytes += gbk->fromUnicode(text);
    }
    return bytes;
}

// The file of `dealers` dealers, written on first use.
const QString &dealerFile(int dealers)
{
    static QTemporaryDir dir;
    static std::map<int, QString> paths;
    QString &path = paths[dealers];
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("dealers-%1.csv").arg(dealers));
        const QByteArray bytes = generate(dealers);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            std::abort();
    }
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

void BM_DealerLoad(benchmark::State &state)
{
    const QString &path = dealerFile(int(state.range(0)));
    TC::CDealerDirectory *directory = TC::CDealerDirectory::instance();
    QString error;
    for (auto _ : state) {
        if (!directory->load(path, error))
            state.SkipWithError("load failed");
    }
    if (directory->dealerList().size() != state.range(0))
        state.SkipWithError("wrong dealer count");
    state.counters["lines"] = double(state.range(0) * 5 + 1);
    directory->resetForTests();
}
BENCHMARK(BM_DealerLoad)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_DealerGbkDecode(benchmark::State &state)
{
    const QByteArray bytes = readAll(dealerFile(int(state.range(0))));
    QTextCodec *codec = QTextCodec::codecForName("GBK");
    for (auto _ : state)
        benchmark::DoNotOptimize(codec->toUnicode(bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(BM_DealerGbkDecode)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

// VmRSS or VmHWM of this process, in MB.
double statusMb(const char *field)
{
    FILE *status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0;
    char line[256];
    double kb = 0;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':')
            kb = std::atof(line + length + 1);
    }
    std::fclose(status);
    return kb / 1024.0;
}

// Resets VmHWM to the current resident memory.
void resetPeak()
{
    if (FILE *refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

// In the child: load twice, print "memory-once first_ms rss_mb peak_mb reload_rss_mb".
int memoryOnce(const char *path)
{
    TC::CDealerDirectory *directory = TC::CDealerDirectory::instance();
    QString error;
    const QString file = QString::fromLocal8Bit(path);
    const double before = statusMb("VmRSS");
    const Clock::time_point start = Clock::now();
    if (!directory->load(file, error))
        return 1;
    const double firstMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    const double loaded = statusMb("VmRSS");
    resetPeak();
    if (!directory->load(file, error))
        return 1;
    const double peak = statusMb("VmHWM");
    const double reloaded = statusMb("VmRSS");
    std::printf("memory-once %.3f %.3f %.3f %.3f\n", firstMs, loaded - before, peak - loaded,
                reloaded - loaded);
    std::fflush(stdout);
    std::_Exit(0);
}

void BM_DealerLoadMemory(benchmark::State &state)
{
    const QString &path = dealerFile(int(state.range(0)));
    double first = 0, rss = 0, peak = 0, reload = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    { QString::fromLatin1(kMemoryFlag) + path });
        if (!child.waitForFinished(120000) || child.exitCode() != 0) {
            state.SkipWithError("the loading process failed");
            return;
        }
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        if (fields.size() != 5 || fields[0] != "memory-once") {
            state.SkipWithError("the loading process said nothing");
            return;
        }
        first = fields[1].toDouble();
        rss = fields[2].toDouble();
        peak = fields[3].toDouble();
        reload = fields[4].toDouble();
    }
    state.counters["first_ms"] = first;
    state.counters["rss_mb"] = rss;
    state.counters["reload_peak_mb"] = peak;
    state.counters["reload_rss_mb"] = reload;
}
BENCHMARK(BM_DealerLoadMemory)
    ->Arg(20000)
    ->Arg(200000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kMemoryFlag, std::strlen(kMemoryFlag)) == 0)
            return memoryOnce(argv[i] + std::strlen(kMemoryFlag));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
