#pragma once

// How the demo terminal logs. The module and the host write to the log4cxx
// logger "TTStdFile"; the terminal decides where that goes.
#include <QString>

namespace app {

// Read from the configuration directory when present; "${configDir}" in it
// stands for that directory.
constexpr const char *kLogConfigFileName = "log4cxx.properties";
// Without that file: "TTStdFile" from INFO up goes to this file in the
// configuration directory, rolled over at kLogMaxFileSize bytes with
// kLogMaxBackups older files (".1" the newest), and warnings of every logger
// go to stderr.
constexpr const char *kLogFileName = "ficc-terminal.log";
constexpr long kLogMaxFileSize = 5L * 1024 * 1024;
constexpr int kLogMaxBackups = 3;

// Whether `level` names a log4cxx level: TRACE, DEBUG, INFO, WARN, ERROR,
// FATAL, OFF or ALL, in any case. An empty text stands for "no override".
bool isLogLevel(const QString &level);

// Configures log4cxx as described above; the configuration directory is made
// when missing. A non-empty `level` (see isLogLevel; an unknown one is
// ignored) then replaces the level of the root logger and of "TTStdFile".
// Returns false and sets `error` when the configuration file cannot be read;
// the default set-up is used then.
bool configureTerminalLogging(const QString &configDir, const QString &level, QString *error);

} // namespace app
