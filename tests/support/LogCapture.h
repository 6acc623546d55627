#pragma once

#include <memory>
#include <string>
#include <vector>

// Every log line of the "TTStdFile" logger while it lives (from INFO up).
class LogCapture
{
public:
    struct Line
    {
        std::string message;
        int level = 0;
        std::string file; // where the line was written
        int line = 0;
    };
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    std::vector<Line> lines() const;
    std::vector<std::string> messages() const;
    // Lines whose message contains `text`.
    int count(const std::string &text) const;
    // The level of the first line containing `text`; -1 without one.
    int levelOf(const std::string &text) const;

private:
    struct Appender;
    std::shared_ptr<Appender> m_appender;
};
