#pragma once

#include <QValidator>

namespace XP {

// Accepts decimal numbers in [bottom, top] with at most decimals() digits after
// the point, typed as plain digits with one optional point and, only when
// negative values are allowed, a leading '-'. No exponents, no separators.
//
// Intermediate: an empty text, a lone '-' or '.', a number below the bottom
// that more typing can lift into the range, and a number that is not a
// multiple of the minimum step. Invalid: letters, several points, too many
// decimals, a number above the top, a negative below the bottom.
class CDoubleValidator : public QValidator
{
    Q_OBJECT
public:
    CDoubleValidator(double bottom, double top, int decimals, QObject *parent = nullptr);

    void setRange(double bottom, double top, int decimals);
    double bottom() const { return m_bottom; }
    double top() const { return m_top; }
    int decimals() const { return m_decimals; }

    // Prices move in ticks: a value must be a whole number of `step`s
    // (0 = any value). fixup() rounds to the nearest tick.
    void setMinStep(double step);
    double minStep() const { return m_minStep; }

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    bool isOnStep(double value) const;

    double m_bottom;
    double m_top;
    int m_decimals;
    double m_minStep = 0.0;
};

} // namespace XP
