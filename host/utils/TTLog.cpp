#include "utils/TTLog.h"

#include <cstdint>
#include <cstring>

namespace utils {

log4cxx::LoggerPtr stdFileLogger()
{
    static log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger(kStdLoggerName);
    return logger;
}

std::string qualifiedFunctionName(const char *prettyFunction)
{
    std::string s(prettyFunction ? prettyFunction : "");
    // One spelling of an unnamed namespace, whichever compiler wrote it:
    // clang's "(anonymous namespace)" would read as a parameter list.
    static const std::string clangAnonymous = "(anonymous namespace)";
    for (size_t at = s.find(clangAnonymous); at != std::string::npos;
         at = s.find(clangAnonymous, at))
        s.replace(at, clangAnonymous.size(), "{anonymous}");
    // Find the parameter list: the first '(' outside template brackets that is
    // not the name of "operator()".
    int depth = 0;
    size_t open = std::string::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '<')
            ++depth;
        else if (c == '>' && depth > 0)
            --depth;
        else if (c == '(' && depth == 0) {
            if (i >= 8 && s.compare(i - 8, 8, "operator") == 0 && i + 1 < s.size()
                && s[i + 1] == ')') {
                ++i; // skip "()" of operator()
                continue;
            }
            open = i;
            break;
        }
    }
    if (open == std::string::npos)
        return s;
    // The name starts after the last blank outside template brackets.
    depth = 0;
    size_t start = 0;
    for (size_t i = open; i-- > 0;) {
        const char c = s[i];
        if (c == '>')
            ++depth;
        else if (c == '<' && depth > 0)
            --depth;
        else if ((c == ' ' || c == '*' || c == '&') && depth == 0) {
            start = i + 1;
            break;
        }
    }
    return s.substr(start, open - start);
}

std::string logSourceName(const char *file)
{
    std::string path(file ? file : "");
    for (char &c : path)
        if (c == '\\')
            c = '/';
    const size_t slash = path.rfind('/');
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = base.rfind('.');
    if (dot != std::string::npos)
        base.erase(dot);

    std::string top;
    for (const char *root : { "/ficc/", "/host/" }) {
        if (path.rfind(root) != std::string::npos) {
            top = std::string(root + 1, std::strlen(root) - 2);
            break;
        }
    }
    if (top.empty() && slash != std::string::npos) {
        const size_t prev = path.rfind('/', slash - 1);
        top = path.substr(prev == std::string::npos ? 0 : prev + 1,
                          slash - (prev == std::string::npos ? 0 : prev + 1));
    }
    return top.empty() ? base : top + "\\" + base;
}

std::string formatLogLine(const void *object, const std::string &function, const std::string &text)
{
    const long long address = static_cast<long long>(reinterpret_cast<std::intptr_t>(object));
    std::string line;
    line.reserve(function.size() + text.size() + 32);
    line += "[";
    line += std::to_string(address);
    line += "] [";
    line += function;
    line += "] ";
    line += text;
    return line;
}

void writeLog(const log4cxx::LevelPtr &level, const void *object, const std::string &function,
              const std::string &text, const log4cxx::spi::LocationInfo &location)
{
    const log4cxx::LoggerPtr logger = stdFileLogger();
    if (!logger->isEnabledFor(level))
        return;
    logger->forcedLog(level, formatLogLine(object, function, text), location);
}

} // namespace utils
