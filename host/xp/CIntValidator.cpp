#include "xp/CIntValidator.h"

namespace XP {

CIntValidator::CIntValidator(long long bottom, long long top, QObject *parent)
    : QValidator(parent)
    , m_bottom(bottom)
    , m_top(top)
{
}

void CIntValidator::setRange(long long bottom, long long top)
{
    m_bottom = bottom;
    m_top = top;
    emit changed();
}

QValidator::State CIntValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Intermediate;
    const bool negative = input.startsWith(QLatin1Char('-'));
    if (negative && m_bottom >= 0)
        return Invalid;
    const int firstDigit = negative ? 1 : 0;
    if (input.size() == firstDigit)
        return Intermediate;
    for (int i = firstDigit; i < input.size(); ++i) {
        if (!input.at(i).isDigit() || input.at(i).unicode() > 127)
            return Invalid;
    }
    if (m_maxDigits > 0 && input.size() - firstDigit > m_maxDigits)
        return Invalid;

    bool ok = false;
    const long long value = input.toLongLong(&ok);
    if (!ok)
        return Invalid; // beyond the range of long long: beyond any top
    if (value > m_top)
        return value >= 0 ? Invalid : Intermediate;
    if (value < m_bottom)
        return value >= 0 ? Intermediate : Invalid;
    return Acceptable;
}

void CIntValidator::fixup(QString &input) const
{
    bool ok = false;
    const long long value = input.toLongLong(&ok);
    if (!ok)
        return;
    if (value < m_bottom)
        input = QString::number(m_bottom);
    else if (value > m_top)
        input = QString::number(m_top);
}

} // namespace XP
