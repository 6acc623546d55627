// Starting the demo terminal: spawn ficc-terminal (offscreen, a fresh
// configuration directory, so a first start) and wait for the line its
// --first-frame option prints once the window's first frame is painted.
//
//   BM_TerminalStart/1   the shipped seed data;
//   BM_TerminalStart/10  the same data ten times over: every instrument,
//                        contract and intention order line repeated under new
//                        codes and numbers, and the dealer file likewise
//                        (written once to a temporary directory).
//
// Each iteration is one start, timed by hand from spawn to the line (dynamic
// linking, seed data, window build, style and first paint). Counters:
// median_ms, worst_ms, main_ms (the terminal's own figure: main() entry to
// the frame, median).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString readText(const QString &path, QTextCodec *codec)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return codec->toUnicode(file.readAll());
}

void writeText(const QString &path, const QString &text, QTextCodec *codec)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(codec->fromUnicode(text));
}

// Repeats each data line of `path` `times` times; copy k > 0 has the field
// `keyField` changed by `rename`. Header and comment lines are kept once.
void multiply(const QString &path, int times, int keyField, QString (*rename)(const QString &, int),
              QTextCodec *codec)
{
    const QStringList lines = readText(path, codec).split(QLatin1Char('\n'));
    QString out;
    QStringList data;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (i == 0 || line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            out += line.isEmpty() ? QString() : line + QLatin1Char('\n');
        else
            data.append(line);
    }
    for (int k = 0; k < times; ++k) {
        for (const QString &line : qAsConst(data)) {
            QStringList fields = line.split(QLatin1Char(','));
            if (k > 0 && keyField < fields.size())
                fields[keyField] = rename(fields[keyField], k);
            out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
        }
    }
    writeText(path, out, codec);
}

// The seed data, `times` times over, in a temporary directory.
QString dataDir(int times, QTemporaryDir &tmp)
{
    if (times == 1)
        return QStringLiteral(FICC_APP_DATA_DIR);
    const QDir source(QStringLiteral(FICC_APP_DATA_DIR));
    for (const QString &name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), tmp.filePath(name));
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    const auto newCode = [](const QString &code, int k) {
        return QString::number((code.toInt() + 7919 * k) % 1000000).rightJustified(6, '0');
    };
    const auto suffixed = [](const QString &key, int k) { return key + QString::number(k); };
    multiply(tmp.filePath(QStringLiteral("instruments.csv")), times, 1, newCode, utf8);
    multiply(tmp.filePath(QStringLiteral("contracts.csv")), times, 1, suffixed, utf8);
    multiply(tmp.filePath(QStringLiteral("intention_orders.csv")), times, 0, suffixed, utf8);
    multiply(tmp.filePath(QStringLiteral("FiccDealerConfig.csv")), times, 0, suffixed, gbk);
    return tmp.path();
}

void BM_TerminalStart(benchmark::State &state)
{
    QTemporaryDir data;
    const QString dir = dataDir(int(state.range(0)), data);
    std::vector<double> ms;
    std::vector<double> mainMs;
    for (auto _ : state) {
        QTemporaryDir config; // the terminal copies the dealer file into it
        QProcess terminal;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        terminal.setProcessEnvironment(env);
        const Clock::time_point start = Clock::now();
        terminal.start(QStringLiteral(FICC_TERMINAL),
                       { QStringLiteral("--first-frame"), QStringLiteral("--config-dir"),
                         config.path(), QStringLiteral("--data-dir"), dir });
        // Log lines may come first on standard output.
        QByteArray out;
        int at = -1;
        while (terminal.waitForReadyRead(30000)) {
            out += terminal.readAllStandardOutput();
            at = out.indexOf("first frame ");
            if (at >= 0 && out.indexOf('\n', at) > at)
                break;
        }
        const double took = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        terminal.waitForFinished(30000);
        if (at < 0) {
            state.SkipWithError("the terminal printed no first frame");
            return;
        }
        state.SetIterationTime(took / 1000.0);
        ms.push_back(took);
        mainMs.push_back(out.mid(at + 12).split(' ').value(0).toDouble());
    }
    state.counters["median_ms"] = median(ms);
    state.counters["worst_ms"] = ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end());
    state.counters["main_ms"] = median(mainMs);
}
BENCHMARK(BM_TerminalStart)
    ->Arg(1)
    ->Arg(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
