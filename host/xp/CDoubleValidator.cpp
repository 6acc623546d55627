#include "xp/CDoubleValidator.h"

#include "xp/NumberFormat.h"

#include <cmath>

namespace XP {

CDoubleValidator::CDoubleValidator(double bottom, double top, int decimals, QObject *parent)
    : QValidator(parent)
    , m_bottom(bottom)
    , m_top(top)
    , m_decimals(qMax(0, decimals))
{
}

void CDoubleValidator::setRange(double bottom, double top, int decimals)
{
    m_bottom = bottom;
    m_top = top;
    m_decimals = qMax(0, decimals);
    emit changed();
}

void CDoubleValidator::setMinStep(double step)
{
    m_minStep = step > 0 ? step : 0.0;
    emit changed();
}

bool CDoubleValidator::isOnStep(double value) const
{
    if (m_minStep <= 0)
        return true;
    const double ticks = value / m_minStep;
    return std::fabs(ticks - std::round(ticks)) < 1e-6;
}

QValidator::State CDoubleValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Intermediate;
    const bool negative = input.startsWith(QLatin1Char('-'));
    if (negative && m_bottom >= 0)
        return Invalid;
    int points = 0;
    int decimalsTyped = 0;
    int digits = 0;
    for (int i = negative ? 1 : 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (c == QLatin1Char('.')) {
            if (++points > 1 || m_decimals == 0)
                return Invalid;
        } else if (c.unicode() >= '0' && c.unicode() <= '9') {
            ++digits;
            if (points)
                ++decimalsTyped;
        } else {
            return Invalid;
        }
    }
    if (decimalsTyped > m_decimals)
        return Invalid;
    if (digits == 0)
        return Intermediate; // "-", "." or "-."

    bool ok = false;
    const double value = input.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return Invalid;
    if (value > m_top)
        return value >= 0 ? Invalid : Intermediate;
    if (value < m_bottom)
        return value >= 0 ? Intermediate : Invalid;
    return isOnStep(value) ? Acceptable : Intermediate;
}

void CDoubleValidator::fixup(QString &input) const
{
    bool ok = false;
    double value = input.toDouble(&ok);
    if (!ok)
        return;
    if (m_minStep > 0)
        value = std::round(value / m_minStep) * m_minStep;
    value = qBound(m_bottom, value, m_top);
    input = formatDoubleNumber(value, m_decimals, NF_NONE, false, QString());
}

} // namespace XP
