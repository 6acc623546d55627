#include "xp/CBaseTableColumnLineeditDelegate.h"

#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/CUiResource.h"
#include "xp/IBaseHpfTableModel.h"
#include "xp/WidgetEvents.h"

#include <QIntValidator>
#include <QPainter>

namespace XP {

CBaseTableColumnLineeditDelegate::CBaseTableColumnLineeditDelegate(int id, CStandardHpfTable *table)
    : CBaseTableColumnDelegate(id, table)
{
}

CBaseTableColumnLineeditDelegate::~CBaseTableColumnLineeditDelegate() = default;

void CBaseTableColumnLineeditDelegate::setIntRange(int minimum, int maximum)
{
    m_hasRange = true;
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
}

void CBaseTableColumnLineeditDelegate::setItemVisible(const QString &key, bool visible, bool update)
{
    m_states[key].visible = visible;
    keyChanged(key, update);
}

bool CBaseTableColumnLineeditDelegate::isItemVisible(const QString &key) const
{
    return m_states.value(key).visible;
}

void CBaseTableColumnLineeditDelegate::setItemText(const QString &key, const QString &text,
                                                   bool update)
{
    State &state = m_states[key];
    if (state.text == text)
        return;
    state.text = text;
    keyChanged(key, update && state.visible);
}

QString CBaseTableColumnLineeditDelegate::itemText(const QString &key) const
{
    return m_states.value(key).text;
}

void CBaseTableColumnLineeditDelegate::clearItems()
{
    m_states.clear();
}

QString CBaseTableColumnLineeditDelegate::cellText(const QString &key) const
{
    const auto it = m_states.constFind(key);
    return it != m_states.constEnd() && it->visible ? it->text : modelText(key);
}

void CBaseTableColumnLineeditDelegate::paintCell(QPainter *painter, const QRect &cell,
                                                 QWidget *view, bool hovered, const QString &key,
                                                 int) const
{
    CUiResource *theme = uiResource();
    const bool input = isItemVisible(key);
    const QRect inner = cell.adjusted(5, 0, -5, 0);
    painter->save();
    if (input) {
        // An input looks like one: a thin frame, stronger under the mouse.
        const QString frameKey = hovered ? QStringLiteral("clr_clickable_simple_text")
                                         : QStringLiteral("clr_operation_frame_line_color");
        painter->setPen(*theme->getColor(frameKey));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(1, 2, -2, -3));
    }
    painter->setPen(*theme->getColor(QStringLiteral("clr_text_default")));
    painter->setFont(view->font());
    painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter, cellText(key));
    painter->restore();
}

bool CBaseTableColumnLineeditDelegate::isCellClickable(const QString &key) const
{
    return isItemVisible(key);
}

void CBaseTableColumnLineeditDelegate::clickCell(const QString &key, CTableCellControl *cell)
{
    if (!isItemVisible(key) || !table())
        return;
    QValidator *validator = m_hasRange ? new QIntValidator(m_minimum, m_maximum, nullptr) : nullptr;
    const int column = this->column();
    table()->editCell(cell, itemText(key), validator, [this, key, column](const QString &text) {
        // The row may have gone while the editor was open.
        if (!table() || !table()->dataModel() || table()->dataModel()->indexOfKey(key) < 0)
            return;
        if (text == itemText(key))
            return;
        setItemText(key, text, true);
        QString entered = text;
        deliver(EVT_TABLE_LINEEDIT_CHANGED, id(), column, key, &entered);
    });
}

bool CBaseTableColumnLineeditDelegate::editItem(const QString &key)
{
    if (!table() || !isItemVisible(key) || !table()->dataModel())
        return false;
    const int index = table()->dataModel()->indexOfKey(key);
    auto *cell = dynamic_cast<CTableColumnDelegateCell *>(table()->itemControl(index, column()));
    if (!cell)
        return false;
    clickCell(key, cell);
    return true;
}

} // namespace XP
