#pragma once

#include <QDate>
#include <QString>

namespace utils {

// Dates written as "yyyyMMdd" (20260610) and "yyyy-MM-dd" (2026-06-10), read
// exactly as QDate::fromString reads them with those formats. The usual text,
// a real date in that layout, is read directly; anything else goes to
// QDate::fromString, whose parser builds a local date-time and looks up the
// time zone (a file system look-up) on every call.
QDate dateFromDigits(const QString &text); // "yyyyMMdd"
QDate dateFromIsoText(const QString &text); // "yyyy-MM-dd"

// A date as the yyyyMMdd number the counter's records carry (20260610), and
// such a number as a date: invalid for a number that names no date.
int dateNumber(const QDate &date);
QDate dateFromNumber(int yyyymmdd);

} // namespace utils
