#include "xp/CRadioButton.h"

#include "xp/IBaseTable.h"
#include "xp/WidgetEvents.h"

#include <QPainter>
#include <QStyleOptionButton>
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

void CRadioButton::paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const
{
    QStyle *style = view->style();
    QStyleOptionButton option;
    option.initFrom(view);
    const int side = style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, view);
    option.rect = alignedRect(QSize(side, side), cell.adjusted(2, 0, -2, 0));
    option.state = QStyle::State_None;
    if (isEnabled())
        option.state |= QStyle::State_Enabled;
    else
        option.palette.setCurrentColorGroup(QPalette::Disabled);
    option.state |= m_checked ? QStyle::State_On : QStyle::State_Off;
    if (hovered && isEnabled())
        option.state |= QStyle::State_MouseOver;
    style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, painter, view);
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
