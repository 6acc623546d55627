#include "xp/CCheckBoxCell.h"

#include "xp/CUiResource.h"
#include "xp/IBaseTable.h"
#include "xp/WidgetEvents.h"

#include <QPainter>

namespace XP {

CCheckBoxCell::CCheckBoxCell(int id, IBaseTable *table, bool clickable)
    : CTableCellControl(id, table)
    , m_clickable(clickable)
{
    setAlignment(Qt::AlignCenter);
}

CCheckBoxCell::~CCheckBoxCell() = default;

void CCheckBoxCell::setChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    changed();
}

QString CCheckBoxCell::text() const
{
    return m_checked ? QStringLiteral("√") : QString();
}

void CCheckBoxCell::paint(QPainter *painter, const QRect &cell, QWidget *, bool hovered) const
{
    CUiResource *theme = uiResource();
    const QColor accent = *theme->getColor(QStringLiteral("clr_clickable_simple_text"));
    const QColor border = isEnabled() ? *theme->getColor(QStringLiteral("clr_text_default"))
                                      : *theme->getColor(QStringLiteral("clr_disable_color"));
    const QRect box = alignedRect(QSize(12, 12), cell.adjusted(2, 0, -2, 0));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    if (m_checked) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(isEnabled() ? accent : border);
        painter->drawRoundedRect(QRectF(box), 2, 2);
        QPen tick(*theme->getColor(QStringLiteral("clr_text_on_button")), 1.6);
        painter->setPen(tick);
        const QRectF r(box);
        painter->drawPolyline(QPolygonF({ QPointF(r.left() + 2.5, r.center().y()),
                                          QPointF(r.left() + 5, r.bottom() - 3),
                                          QPointF(r.right() - 2.5, r.top() + 3) }));
    } else {
        painter->setPen(QPen(hovered && isClickable() ? accent : border, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
    painter->restore();
}

void CCheckBoxCell::click()
{
    if (!isClickable())
        return;
    setChecked(!m_checked);
    if (table())
        table()->deliverTableEvent(EVT_TABLE_CHECKBOX_CLICKED, id(), row(), QString(), nullptr);
}

} // namespace XP
