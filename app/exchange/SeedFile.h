#pragma once

// The demo's seed files: small UTF-8 CSV files with a header line, read by
// the simulated host and the paper exchange alike.
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

namespace app {

// The largest seed file read: a larger one is refused before it is read.
constexpr qint64 kMaxSeedFileBytes = 16 * 1024 * 1024;

// Why the seed file at `path` is not read at all: a directory in its place, or
// a size past kMaxSeedFileBytes (checked before reading, so a huge file does
// not hold up the start); empty when it may be read.
QString refusal(const QString &path);

// Reads a UTF-8 CSV with a header line (no quoting: the seed files need none).
// Calls `row` with the fields of each data line; it returns why the line is
// malformed, or an empty text when the line is taken. A malformed line goes to
// `warnings` as "file:line: reason".
bool readCsvLines(const QString &path, QStringList *warnings, QString *error,
                  const std::function<QString(const QStringList &)> &row);

} // namespace app
