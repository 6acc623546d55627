#include "xp/NumberFormat.h"

#include "utils/StringHelper.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>

namespace XP {

namespace {

// The decimal digits of |value| rounded half up to `decimals` places: the
// digits go to `digits` (integer digits first, at least one, then exactly
// `decimals` fraction digits) and the count of integer digits to `*point`. A
// double carries 15 significant decimal digits reliably; reading it back at
// that precision recovers the decimal the trader typed (2.675 instead of
// 2.67499999...), which is then rounded exactly. `digits` holds
// kMaxDigits characters, enough for any finite double at 15 decimals.
constexpr int kMaxDigits = 700;

int roundDecimal(double value, int decimals, char *digits, int *point)
{
    // The digits printf("%.14e") gives, without going through the C locale.
    char buf[40];
    const std::to_chars_result end = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                                                   std::chars_format::scientific, 14);
    *end.ptr = '\0';
    // buf looks like "d.dddddddddddddde[+-]xx"
    const char *p = buf;
    int significant = 0;
    char mantissa[20];
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa[significant++] = *p;
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;

    // The leading zeros of a value below 1, then the mantissa, then zeros.
    int at = exponent + 1; // digits before the decimal point
    int count = 0;
    if (at < 1) {
        for (int i = 0; i < 1 - at; ++i)
            digits[count++] = '0';
        at = 1;
    }
    std::memcpy(digits + count, mantissa, std::size_t(significant));
    count += significant;
    const int keep = at + decimals;
    while (count < keep + 1)
        digits[count++] = '0';
    const bool roundUp = digits[keep] >= '5';
    count = keep;
    int first = 0;
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            if (digits[i] == '9') {
                digits[i] = '0';
            } else {
                ++digits[i];
                break;
            }
        }
        if (i < 0) {
            std::memmove(digits + 1, digits, std::size_t(count));
            digits[0] = '1';
            ++count;
            ++at;
        }
    }
    while (first + 1 < at && digits[first] == '0')
        ++first;
    if (first > 0) {
        std::memmove(digits, digits + first, std::size_t(count - first));
        count -= first;
        at -= first;
    }
    *point = at;
    return count;
}

} // namespace

QString invalidNumberText()
{
    return QStringLiteral("非法值");
}

bool isInvalidNumber(double value)
{
    return !std::isfinite(value) || std::fabs(value) >= DBL_MAX;
}

QString formatDoubleNumber(double value, int decimals, int flags, bool thousands,
                           const QString &invalidText)
{
    if (isInvalidNumber(value))
        return invalidText;
    decimals = qBound(0, decimals, 15);
    char digits[kMaxDigits];
    int point = 0;
    const int count = roundDecimal(value, decimals, digits, &point);
    int fraction = count - point;
    if (flags & NF_TRIM_ZEROS) {
        while (fraction > 0 && digits[point + fraction - 1] == '0')
            --fraction;
    }
    bool zero = point == 1 && digits[0] == '0';
    for (int i = point; zero && i < point + fraction; ++i)
        zero = digits[i] == '0';
    const bool group = thousands || (flags & NF_THOUSANDS);

    // One text built in place: sign, grouped integer digits, point, fraction.
    char out[kMaxDigits + kMaxDigits / 3 + 4];
    int n = 0;
    if (!zero && value < 0)
        out[n++] = '-';
    else if (!zero && (flags & NF_PLUS_SIGN))
        out[n++] = '+';
    for (int i = 0; i < point; ++i) {
        if (group && i > 0 && (point - i) % 3 == 0)
            out[n++] = ',';
        out[n++] = digits[i];
    }
    if (fraction > 0) {
        out[n++] = '.';
        std::memcpy(out + n, digits + point, std::size_t(fraction));
        n += fraction;
    }
    return QString::fromLatin1(out, n);
}

QString formatIntNumber(long long value, int width, int flags)
{
    QString out;
    if (flags & NF_THOUSANDS) {
        out = QString::fromStdString(utils::formatIntNumber(value, 0));
    } else {
        out = QString::number(value);
    }
    if ((flags & NF_PLUS_SIGN) && value > 0)
        out.prepend(QLatin1Char('+'));
    if (width > 0 && out.size() < width)
        out = out.rightJustified(width, QLatin1Char(' '));
    return out;
}

QString sToQs(const std::string &text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

} // namespace XP
