#pragma once

#include <string>

namespace utils {

// Outcome of a host call: an error code (0 = success) and a text for the trader.
class TTError
{
public:
    TTError() = default;
    TTError(int code, std::string message)
        : m_code(code)
        , m_message(std::move(message))
    {
    }

    static TTError success() { return TTError(); }

    bool isSuccess() const { return m_code == 0; }
    int code() const { return m_code; }
    const std::string &message() const { return m_message; }

private:
    int m_code = 0;
    std::string m_message;
};

} // namespace utils
