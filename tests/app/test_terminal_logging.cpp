// The demo terminal's logging: rolling file, stderr, log4cxx.properties and --log-level.
#include "TerminalLogging.h"

#include "utils/TTLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <log4cxx/logmanager.h>
#include <log4cxx/rolling/rollingfileappender.h>

#include <gtest/gtest.h>

#include <tuple>

#if defined(__SANITIZE_ADDRESS__)
#define FICC_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FICC_ASAN 1
#endif
#endif

#ifdef FICC_ASAN
// Debian's log4cxx frees a rolling appender's part through its base type: ASan skips that here.
extern "C" const char *__asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
#endif

namespace {

class TerminalLoggingTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { log4cxx::LogManager::resetConfiguration(); }

    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }

    static void log(const log4cxx::LevelPtr &level, const std::string &text)
    {
        utils::writeLog(level, nullptr, "app::test", text, LOG4CXX_LOCATION);
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(TerminalLoggingTest, informationGoesToTheRollingFileAndWarningsToStderrAsTheExampleSays)
{
    for (const bool withExample : { false, true }) {
        SCOPED_TRACE(withExample ? "shipped example" : "no configuration file");
        const QString configDir = path(withExample ? "example" : "not-yet-made");
        if (withExample) {
            ASSERT_TRUE(QDir().mkpath(configDir));
            ASSERT_TRUE(QFile::copy(QStringLiteral(FICC_APP_DATA_DIR "/log4cxx.properties"),
                                    QDir(configDir).filePath(app::kLogConfigFileName)));
        }
        QString error;
        ASSERT_TRUE(app::configureTerminalLogging(configDir, QString(), &error))
            << error.toStdString();

        // The console's target and threshold are pinned by what reaches stderr below.
        const log4cxx::LoggerPtr std = utils::stdFileLogger();
        ASSERT_EQ(std->getAllAppenders().size(), 1u);
        auto rolling
            = log4cxx::cast<log4cxx::rolling::RollingFileAppender>(std->getAllAppenders().front());
        ASSERT_TRUE(rolling);
        EXPECT_EQ(QDir::cleanPath(QString::fromStdString(rolling->getFile())),
                  QDir::cleanPath(QDir(configDir).filePath(app::kLogFileName)));
        EXPECT_EQ(long(rolling->getMaximumFileSize()), app::kLogMaxFileSize);
        EXPECT_EQ(rolling->getMaxBackupIndex(), app::kLogMaxBackups);
        EXPECT_EQ(log4cxx::Logger::getRootLogger()->getAllAppenders().size(), 1u);

        testing::internal::CaptureStderr();
        log(log4cxx::Level::getInfo(), "placeCommands: [manual] repurchase deal.");
        log(log4cxx::Level::getDebug(), "a debug line");
        log(log4cxx::Level::getWarn(), "account data is missing");
        log4cxx::Logger::getLogger("Other")->warn("a warning of another logger");
        const std::string err = testing::internal::GetCapturedStderr();
        log4cxx::LogManager::resetConfiguration(); // closes the file
        QFile file(QDir(configDir).filePath(app::kLogFileName));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the directory is made and the file written";
        const QByteArray text = file.readAll();
        EXPECT_TRUE(text.contains("INFO  [")
                    && text.contains("[app::test] placeCommands: [manual]"))
            << text.toStdString();
        EXPECT_FALSE(text.contains("a debug line"));
        EXPECT_TRUE(text.contains("account data is missing")) << "the file keeps the warning too";
        EXPECT_NE(err.find("account data is missing"), std::string::npos) << err;
        EXPECT_NE(err.find("a warning of another logger"), std::string::npos) << err;
        EXPECT_EQ(err.find("placeCommands"), std::string::npos) << err;
    }
}

TEST_F(TerminalLoggingTest, aLog4cxxLevelOverridesTheConfiguredOne)
{
    const char *errorsOnly = "log4j.logger.TTStdFile=ERROR, f\n"
                             "log4j.appender.f=org.apache.log4j.FileAppender\n"
                             "log4j.appender.f.File=${configDir}/ficc-terminal.log\n"
                             "log4j.appender.f.layout=org.apache.log4j.SimpleLayout\n";
    // log4cxx.properties (none when null), --log-level, the level of a line and whether it is kept.
    const std::tuple<const char *, const char *, log4cxx::LevelPtr, bool> cases[] = {
        { nullptr, "WARN", log4cxx::Level::getInfo(), false },
        { nullptr, "WARN", log4cxx::Level::getWarn(), true },
        { nullptr, "debug", log4cxx::Level::getDebug(), true },
        { nullptr, "off", log4cxx::Level::getError(), false },
        { errorsOnly, "", log4cxx::Level::getInfo(), false },
        { errorsOnly, "INFO", log4cxx::Level::getInfo(), true },
        { errorsOnly, "Trace", log4cxx::Level::getTrace(), true },
    };
    // --log-level names only log4cxx's levels.
    for (const char *level :
         { "", "TRACE", "debug", "Info", "WARN", "error", "FATAL", "OFF", "all" })
        EXPECT_TRUE(app::isLogLevel(QString::fromLatin1(level))) << level;
    for (const char *level : { "verbose", "warning", "3", "INFOS" })
        EXPECT_FALSE(app::isLogLevel(QString::fromLatin1(level))) << level;
    int n = 0;
    for (const auto &[properties, level, written, kept] : cases) {
        SCOPED_TRACE(testing::Message() << "case " << n << ", --log-level " << level);
        QFile::remove(path(app::kLogFileName));
        QFile::remove(path(app::kLogConfigFileName));
        if (properties) {
            QFile f(path(app::kLogConfigFileName));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(properties);
        }
        QString error;
        ASSERT_TRUE(app::configureTerminalLogging(dir.path(), QString::fromLatin1(level), &error))
            << error.toStdString();
        const std::string text = "line of case " + std::to_string(n++);
        log(written, text);
        log4cxx::LogManager::resetConfiguration(); // closes the file
        QFile file(path(app::kLogFileName));
        EXPECT_EQ(file.open(QIODevice::ReadOnly) && file.readAll().contains(text.c_str()), kept);
    }
}
