#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace utils {

// Converts GBK bytes to UTF-8. Bytes that are not valid GBK become U+FFFD;
// the call never fails and never throws.
std::string safeGbk2Utf8(const std::string &gbk);
QString safeGbk2Utf8(const QByteArray &gbk);

// Converts text to GBK bytes; characters GBK cannot hold become '?'.
QByteArray utf8ToGbk(const QString &text);

// Formats an integer with thousands separators ("1,234,567"), right-aligned
// in `width` characters when width > 0.
std::string formatIntNumber(long long value, int width = 0);

} // namespace utils
