#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <ostream>

// Readable gtest failure messages for the Qt values the toolkit tests compare.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QColor &c, std::ostream *os)
{
    *os << c.name(QColor::HexArgb).toStdString();
}

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << '(' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << ')';
}
