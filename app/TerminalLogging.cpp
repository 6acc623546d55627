#include "TerminalLogging.h"

#include "utils/TTLog.h"

#include <QDir>
#include <QFileInfo>

#include <log4cxx/helpers/fileinputstream.h>
#include <log4cxx/helpers/properties.h>
#include <log4cxx/logmanager.h>
#include <log4cxx/propertyconfigurator.h>

namespace app {

namespace {

using log4cxx::helpers::Properties;

std::string utf8(const QString &text)
{
    return text.toUtf8().toStdString();
}

// The set-up without a configuration file, written as the properties a
// configuration file would hold (the shipped example says the same).
void setDefaultProperties(Properties &p)
{
    p.setProperty("log4j.rootLogger", "INFO, stderr");
    p.setProperty("log4j.appender.stderr", "org.apache.log4j.ConsoleAppender");
    p.setProperty("log4j.appender.stderr.Target", "System.err");
    p.setProperty("log4j.appender.stderr.Threshold", "WARN");
    p.setProperty("log4j.appender.stderr.layout", "org.apache.log4j.PatternLayout");
    p.setProperty("log4j.appender.stderr.layout.ConversionPattern", "ficc-terminal: %-5p %m%n");

    p.setProperty(std::string("log4j.logger.") + utils::kStdLoggerName, "INFO, file");
    p.setProperty("log4j.appender.file", "org.apache.log4j.RollingFileAppender");
    p.setProperty("log4j.appender.file.File", std::string("${configDir}/") + kLogFileName);
    p.setProperty("log4j.appender.file.Append", "true");
    p.setProperty("log4j.appender.file.MaxFileSize", std::to_string(kLogMaxFileSize));
    p.setProperty("log4j.appender.file.MaxBackupIndex", std::to_string(kLogMaxBackups));
    p.setProperty("log4j.appender.file.layout", "org.apache.log4j.PatternLayout");
    p.setProperty("log4j.appender.file.layout.ConversionPattern",
                  "%d{yyyy-MM-dd HH:mm:ss.SSS} %-5p [%t] %m%n");
}

bool loadProperties(const QString &file, Properties *properties)
{
    try {
        properties->load(std::make_shared<log4cxx::helpers::FileInputStream>(utf8(file)));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

log4cxx::LevelPtr levelNamed(const QString &level)
{
    return log4cxx::Level::toLevel(utf8(level.trimmed()), log4cxx::LevelPtr());
}

} // namespace

bool isLogLevel(const QString &level)
{
    return level.isEmpty() || levelNamed(level) != nullptr;
}

bool configureTerminalLogging(const QString &configDir, const QString &level, QString *error)
{
    bool ok = true;
    const QString dir = QDir::cleanPath(QDir(configDir).absolutePath());
    QDir().mkpath(dir);
    log4cxx::LogManager::resetConfiguration();

    Properties fromFile;
    Properties defaults;
    Properties *properties = &defaults;
    const QString file = QDir(dir).filePath(QString::fromLatin1(kLogConfigFileName));
    if (QFileInfo(file).isFile()) {
        if (loadProperties(file, &fromFile)) {
            properties = &fromFile;
        } else {
            *error = QStringLiteral("cannot read %1").arg(file);
            ok = false;
        }
    }
    if (properties == &defaults)
        setDefaultProperties(defaults);
    // A file may name its own directory; otherwise "${configDir}" is this one.
    if (properties->getProperty("configDir").empty())
        properties->setProperty("configDir", utf8(dir));
    log4cxx::PropertyConfigurator::configure(*properties);

    if (const log4cxx::LevelPtr forced = level.isEmpty() ? nullptr : levelNamed(level)) {
        log4cxx::Logger::getRootLogger()->setLevel(forced);
        utils::stdFileLogger()->setLevel(forced);
    }
    return ok;
}

} // namespace app
