#pragma once

// What the fuzz targets share: a failed check that stops the run where
// libFuzzer sees it, a QApplication for the widgets, and the demo terminal's
// host world loaded from the shipped seed files.
#include "CSimulatedHost.h"

#include "tc/ConfigDir.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)

namespace fuzz {

// One QApplication for the whole run, on the offscreen platform unless the
// environment names another.
inline void startApplication(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication *application = new QApplication(*argc, *argv);
    (void)application;
    QApplication::setQuitOnLastWindowClosed(false);
}

// A configuration directory of the run's own, removed at exit.
inline QString configDir()
{
    static QTemporaryDir dir;
    return dir.path();
}

// The host services filled from the shipped seed files, as the demo terminal
// starts: accounts, bonds, positions, repurchase varieties, contracts,
// intention orders and the exchange closures.
inline void loadDemoHost()
{
    TC::setConfigDir(configDir());
    // Kept to the end of the run like the application, never destroyed: at
    // exit Qt's globals (the SQL connections its paper book closes) go first.
    static app::CSimulatedHost *host = new app::CSimulatedHost;
    QString error;
    if (!host->load(QStringLiteral(FICC_APP_DATA_DIR), configDir(), &error)) {
        std::fprintf(stderr, "fuzz: the shipped seed files do not load: %s\n", qPrintable(error));
        std::abort();
    }
}

} // namespace fuzz
