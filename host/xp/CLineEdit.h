#pragma once

#include "xp/CUiResourceChangeHandler.h"
#include "xp/NumberFormat.h"

#include <QLineEdit>

class QLabel;

namespace XP {

class CDoubleValidator;
class CIntValidator;

// A themed line edit with an id that carries a number or a text.
//
// Numbers become text only through setDouble/setInt (NumberFormat.h). The
// unit label (setLabels) sits inside the editor at its right edge. With a spin
// step (setSpin), the Up/Down keys and, while the editor has focus, the mouse
// wheel move the value by one step, kept inside the validator's range.
//
// When the trader enters the text (Return, or leaving the editor) and after a
// spin step, EVT_EDIT_FINISHED (103) is delivered with a = id and text = the
// text, starting at the nearest event deliverer above the editor.
class CLineEdit : public QLineEdit, public CUiResourceChangeHandler
{
    Q_OBJECT
public:
    // `frameless`: no frame, for editors sitting inside table cells and tool bars.
    explicit CLineEdit(int id = 0, QWidget *parent = nullptr, bool frameless = false);
    ~CLineEdit() override;

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    // Sets the text as QLineEdit::setText does. Laying a text out again is
    // the dearest part of filling a form, so the same text in an edit that
    // setText would leave exactly as it is (not in the trader's hands: no
    // focus, no selection, no edits or undo steps, the cursor at the end) is
    // not set again.
    void setText(const QString &text);
    static void setTextOf(QLineEdit *edit, const QString &text);

    // decimals < 0: the validator's decimals, else those of the spin step, else 2.
    void setDouble(double value, int decimals = -1);
    void setInt(long long value);

    // The text as typed; the numeric readers ignore thousands separators and
    // blanks and give 0 for a text that is not a number.
    QString toString() const;
    int toInt() const;
    long long toLongLong() const;
    double toDouble() const;

    // Shown by setDouble for a value that is not valid ("非法值" by default).
    void setInvalidText(const QString &text) { m_invalidText = text; }
    QString invalidText() const { return m_invalidText; }

    void setLabels(const QString &unit);
    QString unit() const;

    void setSpin(double step);
    void setSpin(bool enabled, double step);
    void setSpin(const QString &unit, bool enabled, double step);
    bool isSpinEnabled() const { return m_spinEnabled; }
    double spinStep() const { return m_spinStep; }
    // Moves the value by `steps` spin steps (negative: down).
    void stepBy(int steps);

    // `maxDigits`: the longest number of digits accepted (0: any).
    CIntValidator *setIntValidator(long long bottom, long long top, int maxDigits = 0,
                                   const QString &invalidText = invalidNumberText());
    CDoubleValidator *setDoubleValidator(double bottom, double top, int decimals,
                                         const QString &invalidText = invalidNumberText());

    void setFixFont() override;

signals:
    // A spin step changed the value.
    void valueStepped();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeUnitLabel();
    int effectiveDecimals() const;

    int m_id;
    QLabel *m_unitLabel = nullptr;
    bool m_spinEnabled = false;
    double m_spinStep = 1.0;
    QString m_invalidText = invalidNumberText();
};

} // namespace XP
