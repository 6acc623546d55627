// The demo terminal: the FICC panels docked in a host window over a simulated
// trading host seeded from the shipped data files.
#include "CSimulatedHost.h"
#include "CTerminalWindow.h"
#include "CTradingDayWatch.h"
#include "TerminalLogging.h"

#include "tc/Services.h"
#include "utils/TTLog.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    // The font configuration (read the first time a font is asked for, a fifth
    // of the start) loads on the second core while the application and the
    // host load; the style waits for it before it sets the theme's fonts.
    std::thread fontConfiguration([] { FcInit(); });
    struct JoinOnReturn
    {
        std::thread &thread;
        ~JoinOnReturn()
        {
            if (thread.joinable())
                thread.join();
        }
    } joinFontConfiguration { fontConfiguration };
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ficc-terminal"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("FICC order-entry panels on a simulated trading host."));
    parser.addHelpOption();
    const QCommandLineOption configDirOpt(
        QStringLiteral("config-dir"),
        QStringLiteral("Configuration directory (layout, dealer file, host overrides)."),
        QStringLiteral("DIR"));
    const QCommandLineOption screenshotOpt(
        QStringLiteral("screenshot"), QStringLiteral("Render the terminal to a PNG file and exit."),
        QStringLiteral("FILE"));
    const QCommandLineOption journalOpt(
        QStringLiteral("journal"),
        QStringLiteral("Append each order command to FILE as one JSON line."),
        QStringLiteral("FILE"));
    const QCommandLineOption dataDirOpt(
        QStringLiteral("data-dir"), QStringLiteral("Directory of the simulated host's seed data."),
        QStringLiteral("DIR"), QStringLiteral(FICC_APP_DATA_DIR));
    const QCommandLineOption logLevelOpt(
        QStringLiteral("log-level"),
        QStringLiteral("Log level (TRACE, DEBUG, INFO, WARN, ERROR, FATAL, OFF), over the one "
                       "of log4cxx.properties in the configuration directory."),
        QStringLiteral("LEVEL"));
    parser.addOptions({ configDirOpt, screenshotOpt, journalOpt, dataDirOpt, logLevelOpt });
    const QCommandLineOption firstFrameOpt(
        QStringLiteral("first-frame"),
        QStringLiteral("Print the milliseconds from start to the first painted frame and exit."));
    parser.addOption(firstFrameOpt);
    const QCommandLineOption resetPaperOpt(
        QStringLiteral("reset-paper"),
        QStringLiteral(
            "Start the paper exchange again from the shipped data files: the saved "
            "funds, positions, contracts and declarations are replaced, and orders waiting at a "
            "desk (deals for the answer, intention orders to be taken up) are dropped."));
    parser.addOption(resetPaperOpt);
    parser.process(app);

    if (parser.isSet(configDirOpt))
        TC::setConfigDir(QDir(parser.value(configDirOpt)).absolutePath());
    const QString configDir = TC::getConfigDir();

    const QString logLevel = parser.value(logLevelOpt);
    if (!app::isLogLevel(logLevel)) {
        std::fprintf(stderr, "ficc-terminal: unknown log level \"%s\"\n", qPrintable(logLevel));
        return 2;
    }
    QString logError;
    if (!app::configureTerminalLogging(configDir, logLevel, &logError))
        std::fprintf(stderr, "ficc-terminal: %s\n", qPrintable(logError));
    TT_LOG_INFO_FOR(nullptr,
                    boost::format("ficc-terminal started, configuration directory %1%")
                        % configDir.toStdString());

    app::CSimulatedHost host;
    host.setResetPaper(parser.isSet(resetPaperOpt));
    QString error;
    if (!host.load(parser.value(dataDirOpt), configDir, &error)) {
        host.reportWarnings(stderr);
        std::fprintf(stderr, "ficc-terminal: %s\n", qPrintable(error));
        return 1;
    }
    // Before the panels are built, so that their forms start on the trading date.
    app::CTradingDayWatch tradingDays;
    // The exchange settles each new day's contracts before the panels hear of it.
    tradingDays.setRollOver([&host] {
        if (host.exchange())
            host.exchange()->startTradingDay();
    });
    tradingDays.start();

    fontConfiguration.join();
    XP::applyDefaultStyle(&app);
    app::CTerminalWindow window(configDir);
    window.setTradingDayWatch(&tradingDays);
    // Once the message list listens: the trader sees what of the seed data was left out.
    host.reportWarnings(stderr);
    if (parser.isSet(journalOpt))
        window.setJournalFile(parser.value(journalOpt));
    window.restorePanels();
    host.start();
    window.followDeliveries(host.exchange());

    if (parser.isSet(screenshotOpt)) {
        const QString file = parser.value(screenshotOpt);
        window.resize(1400, 860);
        window.show();
        // Let the simulated host answer its first queries before the picture is taken.
        QTimer::singleShot(600, &app, [&]() {
            const bool ok = window.grab().save(file, "PNG");
            window.savePanels();
            if (!ok)
                std::fprintf(stderr, "ficc-terminal: cannot write %s\n", qPrintable(file));
            app.exit(ok ? 0 : 1);
        });
        return app.exec();
    }

    if (parser.isSet(firstFrameOpt)) {
        QObject::connect(&window, &app::CTerminalWindow::firstFramePainted, [&sinceStart] {
            std::printf("first frame %.1f ms\n", double(sinceStart.nsecsElapsed()) / 1e6);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
    window.resize(1400, 860);
    window.show();
    return app.exec();
}
