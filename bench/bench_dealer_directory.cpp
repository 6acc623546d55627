// Loading a large dealer file against the cost of GBK decoding alone.
//
// The file (100,000 lines: 20,000 dealers with 5 subjects each, traders on each
// dealer's first line, Chinese names) is generated in GBK in a temporary
// directory, or at $FICC_BENCH_DEALER_CSV when set so that other tools can read
// the same bytes (scripts/bench.sh times Python's csv module on it).
#include "common/CDealerDirectory.h"

#include "utils/StringHelper.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr int kDealers = 20000;
constexpr int kSubjectsPerDealer = 5;

struct DealerFile
{
    QString path;
    QByteArray bytes;
    int lines = 0;
};

QByteArray generate()
{
    static const char *const kinds[] = { "银行股份有限公司", "证券股份有限公司", "基金管理有限公司",
                                         "保险资产管理公司", "信托有限责任公司" };
    QString text
        = QStringLiteral("交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n");
    text.reserve(8 * 1024 * 1024);
    for (int d = 0; d < kDealers; ++d) {
        const QString code = QStringLiteral("J%1").arg(d, 6, 10, QLatin1Char('0'));
        const QString name = QStringLiteral("澄湖%1").arg(d) + QString::fromUtf8(kinds[d % 5]);
        for (int s = 0; s < kSubjectsPerDealer; ++s) {
            text += code + ',' + name + ',' + code
                + QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0')) + ',' + name
                + QStringLiteral("第%1号资产管理计划").arg(s + 1);
            if (s == 0)
                text += QStringLiteral(",T%1A|T%1B|T%1C,程晓帆|邵亦岚|葛书宁").arg(d);
            text += '\n';
        }
    }
    return utils::utf8ToGbk(text);
}

const DealerFile &dealerFile()
{
    static std::unique_ptr<QTemporaryDir> tmp;
    static const DealerFile file = [] {
        DealerFile f;
        f.path = qEnvironmentVariable("FICC_BENCH_DEALER_CSV");
        if (f.path.isEmpty()) {
            tmp = std::make_unique<QTemporaryDir>();
            f.path = tmp->filePath("FiccDealerConfig.csv");
        }
        f.bytes = generate();
        f.lines = f.bytes.count('\n');
        QFile out(f.path);
        if (!out.open(QIODevice::WriteOnly) || out.write(f.bytes) != f.bytes.size())
            std::abort();
        return f;
    }();
    return file;
}

void BM_LoadDealerFile(benchmark::State &state)
{
    const DealerFile &file = dealerFile();
    TC::CDealerDirectory *directory = TC::CDealerDirectory::instance();
    QString error;
    for (auto _ : state) {
        if (!directory->load(file.path, error))
            state.SkipWithError("load failed");
    }
    if (directory->dealerList().size() != kDealers)
        state.SkipWithError("wrong dealer count");
    state.SetBytesProcessed(int64_t(state.iterations()) * file.bytes.size());
    state.counters["lines"] = file.lines;
}
BENCHMARK(BM_LoadDealerFile)->Unit(benchmark::kMillisecond);

// The floor: the same bytes decoded from GBK in one call, already in memory.
void BM_DecodeGbkWholeFile(benchmark::State &state)
{
    const DealerFile &file = dealerFile();
    QTextCodec *codec = QTextCodec::codecForName("GBK");
    for (auto _ : state)
        benchmark::DoNotOptimize(codec->toUnicode(file.bytes));
    state.SetBytesProcessed(int64_t(state.iterations()) * file.bytes.size());
}
BENCHMARK(BM_DecodeGbkWholeFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
