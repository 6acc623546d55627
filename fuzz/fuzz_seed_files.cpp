// libFuzzer target: the simulated host's seed files. The first byte picks the
// file; the rest is written as that file into the configuration directory,
// where the host reads it instead of the shipped one, and the host loads.
//
//   fuzz_seed_files -max_total_time=60 -max_len=8192 corpus/seed_files/
//
// Whatever a trader puts there, the load ends: a required file it cannot use
// fails the load with a reason, anything else is skipped with a warning
// naming the file ("file:line: reason" or "file: reason").
#include "FuzzSupport.h"

#include "tc/HostReset.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace {

// New files go at the end: the corpus names a file by its place here.
const char *const kSeedFiles[] = {
    "host.ini",
    "accounts.csv",
    "instruments.csv",
    "positions.csv",
    "repo_varieties.csv",
    "contracts.csv",
    "intention_orders.csv",
    "ExchangeHolidays.csv",
    "pending_declarations.csv",
    "stock_types.csv",
    "restricted_volumes.csv",
    "desks.csv",
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    TC::setConfigDir(fuzz::configDir());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QString name = QString::fromLatin1(kSeedFiles[data[0] % std::size(kSeedFiles)]);
    const QString path = QDir(fuzz::configDir()).filePath(name);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1))
                   == qint64(size - 1));
    }

    TC::resetHostForTests();
    QString error;
    bool loaded = false;
    QStringList warnings;
    {
        app::CSimulatedHost host;
        // Every input is read from the files, not from the book the last one left.
        host.setResetPaper(true);
        loaded = host.load(QStringLiteral(FICC_APP_DATA_DIR), fuzz::configDir(), &error);
        warnings = host.warnings();
    }
    FUZZ_CHECK(loaded || !error.isEmpty());
    for (const QString &warning : warnings) {
        bool named = false;
        for (const char *seed : kSeedFiles)
            named = named || warning.startsWith(QLatin1String(seed) + QLatin1Char(':'));
        FUZZ_CHECK(named);
    }
    QFile::remove(path);
    return 0;
}
