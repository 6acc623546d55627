#include "xp/NumberFormat.h"

#include "utils/StringHelper.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

namespace XP {

namespace {

// Inserts a ',' between every three digits of `digits` (no sign).
QString groupThousands(const QString &digits)
{
    QString out;
    const int n = digits.size();
    out.reserve(n + n / 3);
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(QLatin1Char(','));
        out.append(digits.at(i));
    }
    return out;
}

// The decimal digits of |value| rounded half up to `decimals` places, split
// into integer and fraction digits. A double carries 15 significant decimal
// digits reliably; reading it back at that precision recovers the decimal the
// trader typed (2.675 instead of 2.67499999...), which is then rounded exactly.
void roundDecimal(double value, int decimals, QString &intPart, QString &fracPart)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf looks like "d.dddddddddddddde[+-]xx"
    std::string digits;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    const int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;

    int point = exponent + 1; // digits before the decimal point
    if (point < 1) {
        digits.insert(0, std::size_t(1 - point), '0');
        point = 1;
    }
    const std::size_t keep = std::size_t(point + decimals);
    if (digits.size() < keep + 1)
        digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = int(keep) - 1;
        for (; i >= 0; --i) {
            if (digits[std::size_t(i)] == '9') {
                digits[std::size_t(i)] = '0';
            } else {
                ++digits[std::size_t(i)];
                break;
            }
        }
        if (i < 0) {
            digits.insert(0, 1, '1');
            ++point;
        }
    }
    std::size_t firstSignificant = 0;
    while (firstSignificant + 1 < std::size_t(point) && digits[firstSignificant] == '0')
        ++firstSignificant;
    intPart = QString::fromLatin1(digits.data() + firstSignificant,
                                  int(std::size_t(point) - firstSignificant));
    fracPart = QString::fromLatin1(digits.data() + point, decimals);
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
    QString intPart, fracPart;
    roundDecimal(value, decimals, intPart, fracPart);

    if (flags & NF_TRIM_ZEROS) {
        while (fracPart.endsWith(QLatin1Char('0')))
            fracPart.chop(1);
    }
    const bool zero
        = intPart == QLatin1String("0") && fracPart.count(QLatin1Char('0')) == fracPart.size();
    if (thousands || (flags & NF_THOUSANDS))
        intPart = groupThousands(intPart);

    QString out;
    if (!zero && value < 0)
        out.append(QLatin1Char('-'));
    else if (!zero && (flags & NF_PLUS_SIGN))
        out.append(QLatin1Char('+'));
    out.append(intPart);
    if (!fracPart.isEmpty()) {
        out.append(QLatin1Char('.'));
        out.append(fracPart);
    }
    return out;
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
