#pragma once

#include "xp/CTableCellControl.h"

namespace XP {

// The choice radio button of a table row. The table paints it; a click on an
// enabled button checks it (unchecking the other radio buttons of the column)
// and delivers EVT_RADIO_CLICKED (97) with a = id from the table upwards.
//
//   auto *radio = new XP::CRadioButton(QString(), row * 1000, table);
//   table->setItemWidget(row, 0, radio, Qt::AlignHCenter, true);
class CRadioButton final : public CTableCellControl
{
public:
    CRadioButton(const QString &text, int id, IBaseTable *table);
    ~CRadioButton() override;

    bool isChecked() const { return m_checked; }
    // Checking unchecks the other radio buttons of the column; no event is sent.
    void setChecked(bool checked);

    QString text() const override { return m_text; }
    void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const override;
    void click() override;

private:
    QString m_text;
    bool m_checked = false;
};

} // namespace XP
