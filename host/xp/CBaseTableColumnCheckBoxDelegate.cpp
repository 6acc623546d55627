#include "xp/CBaseTableColumnCheckBoxDelegate.h"

#include "xp/CCheckBoxCell.h"
#include "xp/WidgetEvents.h"

namespace XP {

CBaseTableColumnCheckBoxDelegate::CBaseTableColumnCheckBoxDelegate(int id, CStandardHpfTable *table)
    : CBaseTableColumnDelegate(id, table)
{
}

CBaseTableColumnCheckBoxDelegate::~CBaseTableColumnCheckBoxDelegate() = default;

void CBaseTableColumnCheckBoxDelegate::setItemVisible(const QString &key, bool visible, bool update)
{
    m_states[key].visible = visible;
    keyChanged(key, update);
}

void CBaseTableColumnCheckBoxDelegate::setItemEnabled(const QString &key, bool enabled, bool update)
{
    m_states[key].enabled = enabled;
    keyChanged(key, update);
}

void CBaseTableColumnCheckBoxDelegate::setItemChecked(const QString &key, bool checked, bool update)
{
    // Unticking the many rows that are not ticked is the common call: it
    // costs one lookup and no repaint.
    if (checked == m_checked.contains(key))
        return;
    if (checked)
        m_checked.insert(key);
    else
        m_checked.remove(key);
    keyChanged(key, update);
}

bool CBaseTableColumnCheckBoxDelegate::isItemVisible(const QString &key) const
{
    return m_states.value(key).visible;
}

bool CBaseTableColumnCheckBoxDelegate::isItemEnabled(const QString &key) const
{
    return m_states.value(key).enabled;
}

bool CBaseTableColumnCheckBoxDelegate::isItemChecked(const QString &key) const
{
    return m_checked.contains(key);
}

void CBaseTableColumnCheckBoxDelegate::clearItems()
{
    m_states.clear();
    m_checked.clear();
}

QString CBaseTableColumnCheckBoxDelegate::cellText(const QString &key) const
{
    return isItemVisible(key) && isItemChecked(key) ? QStringLiteral("√") : QString();
}

void CBaseTableColumnCheckBoxDelegate::paintCell(QPainter *painter, const QRect &cell,
                                                 QWidget *view, bool hovered, const QString &key,
                                                 int alignment) const
{
    const auto it = m_states.constFind(key);
    if (it == m_states.constEnd() || !it->visible)
        return;
    // The tick looks like every other tick of the terminal's tables.
    CCheckBoxCell look(id(), nullptr);
    look.setChecked(isItemChecked(key));
    look.setEnabled(it->enabled);
    look.setAlignment(alignment);
    look.paint(painter, cell, view, hovered);
}

bool CBaseTableColumnCheckBoxDelegate::isCellClickable(const QString &key) const
{
    const auto it = m_states.constFind(key);
    return it != m_states.constEnd() && it->visible && it->enabled;
}

void CBaseTableColumnCheckBoxDelegate::clickCell(const QString &key, CTableCellControl *)
{
    if (!isCellClickable(key))
        return;
    setItemChecked(key, !isItemChecked(key), true);
    deliver(EVT_TABLE_CHECKBOX_CLICKED, id(), column(), key, nullptr);
}

} // namespace XP
