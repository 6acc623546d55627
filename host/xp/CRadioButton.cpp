#include "xp/CRadioButton.h"

#include "xp/CUiResource.h"
#include "xp/IBaseTable.h"
#include "xp/WidgetEvents.h"

#include <QPainter>
#include <QWidget>

namespace XP {

CRadioButton::CRadioButton(const QString &text, int id, IBaseTable *table)
    : CTableCellControl(id, table)
    , m_text(text)
{
    setAlignment(Qt::AlignCenter);
}

CRadioButton::~CRadioButton() = default;

void CRadioButton::setChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    if (checked && table() && row() >= 0)
        table()->radioChecked(this);
    changed();
}

void CRadioButton::paint(QPainter *painter, const QRect &cell, QWidget *, bool hovered) const
{
    // Drawn in the theme's colours: the platform style draws a dark ring that
    // disappears on the dark table grounds.
    CUiResource *theme = uiResource();
    const QColor accent = *theme->getColor(QStringLiteral("clr_clickable_simple_text"));
    const QColor disabled = *theme->getColor(QStringLiteral("clr_disable_color"));
    const QRect box = alignedRect(QSize(13, 13), cell.adjusted(2, 0, -2, 0));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    QColor ring = isEnabled() ? accent : disabled;
    if (hovered && isEnabled())
        ring = ring.lighter(130);
    painter->setPen(QPen(ring, 1.2));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    if (m_checked) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(ring);
        painter->drawEllipse(QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5));
    }
    painter->restore();
}

void CRadioButton::click()
{
    if (!isEnabled())
        return;
    setChecked(true);
    if (table())
        table()->deliverTableEvent(EVT_RADIO_CLICKED, id(), 0, QString(), nullptr);
}

} // namespace XP
