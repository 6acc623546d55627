#pragma once

#include <QValidator>

namespace XP {

// Accepts whole numbers in [bottom, top], typed as plain decimal digits with
// an optional leading '-' (only when negative values are allowed).
//
// Acceptable: a number within the range. Intermediate: an empty text, a lone
// '-', or a number below the bottom that more digits can still lift into the
// range (a "1" when the bottom is 10). Invalid: anything else (letters,
// points, separators, a number above the top, a negative below the bottom,
// more digits than maxDigits()).
class CIntValidator : public QValidator
{
    Q_OBJECT
public:
    CIntValidator(long long bottom, long long top, QObject *parent = nullptr);

    void setRange(long long bottom, long long top);
    long long bottom() const { return m_bottom; }
    long long top() const { return m_top; }

    // Longest number of digits accepted; 0 for no limit beyond the range.
    void setMaxDigits(int digits) { m_maxDigits = digits; }
    int maxDigits() const { return m_maxDigits; }

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

private:
    long long m_bottom;
    long long m_top;
    int m_maxDigits = 0;
};

} // namespace XP
