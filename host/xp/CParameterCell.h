#pragma once

#include "xp/CBaseWidget.h"
#include "xp/NumberFormat.h"

namespace XP {

class CDoubleValidator;
class CIntValidator;
class CLineEdit;
class CSimpleTextWidget;

// A labelled number cell of an order form: a label at the left and a
// CLineEdit with a unit label at the right, both carrying the cell's id.
//
// Entering the text delivers EVT_EDIT_FINISHED (103) from the editor; every
// edit by the trader (typing or a spin step) delivers EVT_PARAM_CELL_EDITED
// (120) with a = id and text = the text, starting at the cell.
class CParameterCell : public CBaseWidget
{
    Q_OBJECT
public:
    CParameterCell(int id, const QString &label, const QString &unit, QWidget *parent = nullptr);
    ~CParameterCell() override;

    int id() const { return m_id; }
    CLineEdit *getLineEdit() const { return m_edit; }
    CSimpleTextWidget *getLabel() const { return m_label; }
    QString label() const;
    void setLabel(const QString &label);
    // Width of the label column; by default the label's own width.
    void setLabelWidth(int width);

    void setDouble(double value, int decimals = -1);
    void setInt(long long value);
    void setText(const QString &text);
    void clear();
    QString text() const;
    QString toString() const;
    int toInt() const;
    long long toLongLong() const;
    double toDouble() const;

    void setLabels(const QString &unit);
    void setSpin(bool enabled, double step);
    CIntValidator *setIntValidator(long long bottom, long long top, int maxDigits = 0,
                                   const QString &invalidText = invalidNumberText());
    CDoubleValidator *setDoubleValidator(double bottom, double top, int decimals,
                                         const QString &invalidText = invalidNumberText());

    void setFixFont() override;

private:
    void deliverEdited();

    int m_id;
    CSimpleTextWidget *m_label;
    CLineEdit *m_edit;
};

} // namespace XP
