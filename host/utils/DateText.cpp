#include "utils/DateText.h"

namespace utils {

namespace {

// The number written by `count` ASCII digits from `from`, or -1.
int digits(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const ushort c = text.at(i).unicode();
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + int(c - '0');
    }
    return value;
}

QDate directDate(int year, int month, int day)
{
    if (year < 0 || month < 0 || day < 0)
        return QDate();
    return QDate(year, month, day); // invalid when the day does not exist
}

} // namespace

QDate dateFromDigits(const QString &text)
{
    if (text.size() == 8) {
        const QDate date = directDate(digits(text, 0, 4), digits(text, 4, 2), digits(text, 6, 2));
        if (date.isValid())
            return date;
    }
    return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}

QDate dateFromIsoText(const QString &text)
{
    if (text.size() == 10 && text.at(4) == QLatin1Char('-') && text.at(7) == QLatin1Char('-')) {
        const QDate date = directDate(digits(text, 0, 4), digits(text, 5, 2), digits(text, 8, 2));
        if (date.isValid())
            return date;
    }
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

int dateNumber(const QDate &date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

QDate dateFromNumber(int yyyymmdd)
{
    return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
}

} // namespace utils
