#pragma once

// The terminal's log line format, shared by the module and the host:
//
//   "[" + object address as a signed decimal + "] [" + qualified function name + "] " + text
//
// written to the log4cxx logger "TTStdFile". The text is a boost::format with
// "%1%" placeholders; the location carries the source file in the terminal's
// own notation ("ficc\CAgreementConfirmWidget"), the full signature and the line.
//
//   TT_LOG_INFO(boost::format("cache is empty for %1%") % type);
//   TT_LOG_ERROR(boost::format("The scope of the trading day is not enough"));

#include <boost/format.hpp>
#include <log4cxx/level.h>
#include <log4cxx/logger.h>
#include <log4cxx/spi/location/locationinfo.h>

#include <string>

namespace utils {

constexpr const char *kStdLoggerName = "TTStdFile";

log4cxx::LoggerPtr stdFileLogger();

// "virtual bool TC::CFoo::bar(int) const" -> "TC::CFoo::bar"
std::string qualifiedFunctionName(const char *prettyFunction);

// "/src/ficc/agreement/CFoo.cpp" -> "ficc\CFoo"; paths outside ficc/ and host/
// keep their last directory: "/x/app/main.cpp" -> "app\main".
std::string logSourceName(const char *file);

// "[" address "] [" function "] " text
std::string formatLogLine(const void *object, const std::string &function, const std::string &text);

void writeLog(const log4cxx::LevelPtr &level, const void *object, const std::string &function,
              const std::string &text, const log4cxx::spi::LocationInfo &location);

inline std::string logText(const boost::format &f)
{
    return f.str();
}
inline std::string logText(const std::string &s)
{
    return s;
}
inline std::string logText(const char *s)
{
    return s;
}

} // namespace utils

#define TT_LOG_AT_(level_, object_, text_)                                                         \
    do {                                                                                           \
        static const std::string ttLogFile_ = ::utils::logSourceName(__FILE__);                    \
        static const std::string ttLogFunc_ = ::utils::qualifiedFunctionName(__PRETTY_FUNCTION__); \
        ::utils::writeLog(level_, object_, ttLogFunc_, ::utils::logText(text_),                    \
                          ::log4cxx::spi::LocationInfo(ttLogFile_.c_str(), ttLogFile_.c_str(),     \
                                                       __PRETTY_FUNCTION__, __LINE__));            \
    } while (0)

#define TT_LOG_INFO(text_) TT_LOG_AT_(::log4cxx::Level::getInfo(), this, text_)
#define TT_LOG_ERROR(text_) TT_LOG_AT_(::log4cxx::Level::getError(), this, text_)
#define TT_LOG_INFO_FOR(object_, text_) TT_LOG_AT_(::log4cxx::Level::getInfo(), object_, text_)
#define TT_LOG_ERROR_FOR(object_, text_) TT_LOG_AT_(::log4cxx::Level::getError(), object_, text_)
#define TT_LOG_WARN_FOR(object_, text_) TT_LOG_AT_(::log4cxx::Level::getWarn(), object_, text_)
