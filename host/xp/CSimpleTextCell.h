#pragma once

#include "xp/CTableCellControl.h"

namespace XP {

// A line of text in a table cell, in a theme colour; in clickable mode it is
// a link: a click delivers EVT_TEXT_CLICKED (10) with a = id and text = the
// text from the table upwards. The cell form of CSimpleTextWidget.
class CSimpleTextCell final : public CTableCellControl
{
public:
    CSimpleTextCell(bool clickable, int id, const QString &text, IBaseTable *table);
    ~CSimpleTextCell() override;

    QString text() const override { return m_text; }
    void setText(const QString &text);

    bool isClickableText() const { return m_clickable; }
    void setColorKey(const QString &key);
    QString colorKey() const { return m_colorKey; }

    void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const override;
    void click() override;
    bool isClickable() const override { return m_clickable && isEnabled(); }

private:
    QString m_text;
    bool m_clickable;
    QString m_colorKey;
};

} // namespace XP
