#pragma once

#include "xp/CTableCellControl.h"

namespace XP {

// A tick in a table cell, painted by the table. A clickable tick toggles on a
// click and delivers EVT_TABLE_CHECKBOX_CLICKED (230) with a = id, b = row;
// a tick that is not clickable only shows a state its owner keeps (a click
// on it is a click on the row).
class CCheckBoxCell final : public CTableCellControl
{
public:
    CCheckBoxCell(int id, IBaseTable *table, bool clickable = true);
    ~CCheckBoxCell() override;

    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);

    QString text() const override;
    void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const override;
    void click() override;
    bool isClickable() const override { return m_clickable && isEnabled(); }

private:
    bool m_checked = false;
    bool m_clickable;
};

} // namespace XP
