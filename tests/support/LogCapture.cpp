#include "LogCapture.h"

#include "utils/TTLog.h"

#include <log4cxx/appenderskeleton.h>
#include <log4cxx/helpers/pool.h>
#include <log4cxx/spi/loggingevent.h>

struct LogCapture::Appender : public log4cxx::AppenderSkeleton
{
    std::vector<Line> lines;
    void append(const log4cxx::spi::LoggingEventPtr &event, log4cxx::helpers::Pool &) override
    {
        const log4cxx::LogString msg = event->getMessage();
        const log4cxx::spi::LocationInfo &where = event->getLocationInformation();
        lines.push_back(Line { std::string(msg.begin(), msg.end()), event->getLevel()->toInt(),
                               where.getFileName(), where.getLineNumber() });
    }
    void close() override { }
    bool requiresLayout() const override { return false; }
};

LogCapture::LogCapture()
    : m_appender(std::make_shared<Appender>())
{
    utils::stdFileLogger()->addAppender(m_appender);
    utils::stdFileLogger()->setLevel(log4cxx::Level::getInfo());
}

LogCapture::~LogCapture()
{
    utils::stdFileLogger()->removeAppender(m_appender);
}

std::vector<LogCapture::Line> LogCapture::lines() const
{
    return m_appender->lines;
}

std::vector<std::string> LogCapture::messages() const
{
    std::vector<std::string> texts;
    for (const Line &line : m_appender->lines)
        texts.push_back(line.message);
    return texts;
}

int LogCapture::count(const std::string &text) const
{
    int n = 0;
    for (const Line &line : m_appender->lines)
        n += line.message.find(text) != std::string::npos ? 1 : 0;
    return n;
}

int LogCapture::levelOf(const std::string &text) const
{
    for (const Line &line : m_appender->lines) {
        if (line.message.find(text) != std::string::npos)
            return line.level;
    }
    return -1;
}
