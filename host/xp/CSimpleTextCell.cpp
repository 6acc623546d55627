#include "xp/CSimpleTextCell.h"

#include "xp/CUiResource.h"
#include "xp/IBaseTable.h"
#include "xp/WidgetEvents.h"

#include <QPainter>
#include <QWidget>

namespace XP {

CSimpleTextCell::CSimpleTextCell(bool clickable, int id, const QString &text, IBaseTable *table)
    : CTableCellControl(id, table)
    , m_text(text)
    , m_clickable(clickable)
    , m_colorKey(clickable ? QStringLiteral("clr_clickable_simple_text")
                           : QStringLiteral("clr_text_default"))
{
}

CSimpleTextCell::~CSimpleTextCell() = default;

void CSimpleTextCell::setText(const QString &text)
{
    if (m_text == text)
        return;
    m_text = text;
    changed();
}

void CSimpleTextCell::setColorKey(const QString &key)
{
    m_colorKey = key;
    changed();
}

void CSimpleTextCell::paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const
{
    const QColor color = isEnabled() ? *uiResource()->getColor(m_colorKey)
                                     : *uiResource()->getColor(QStringLiteral("clr_disable_color"));
    painter->save();
    QFont font = view->font();
    if (hovered && isClickable())
        font.setUnderline(true);
    painter->setFont(font);
    painter->setPen(color);
    const QRect inner = cell.adjusted(4, 0, -4, 0);
    const QString shown = QFontMetrics(font).elidedText(m_text, Qt::ElideRight, inner.width());
    painter->drawText(inner, alignment(), shown);
    painter->restore();
}

void CSimpleTextCell::click()
{
    if (isClickable() && table())
        table()->deliverTableEvent(EVT_TEXT_CLICKED, id(), 0, m_text, nullptr);
}

} // namespace XP
