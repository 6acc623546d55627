#include "xp/CTableCellControl.h"

#include "xp/IBaseTable.h"

#include <QStyle>

namespace XP {

CTableCellControl::CTableCellControl(int id, IBaseTable *table)
    : m_id(id)
    , m_table(table)
{
}

CTableCellControl::~CTableCellControl() = default;

void CTableCellControl::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    changed();
}

void CTableCellControl::clickAt(QWidget *, const QPoint &, const QRect &)
{
    click();
}

void CTableCellControl::changed()
{
    if (m_table && m_row >= 0)
        m_table->controlChanged(this);
}

QRect CTableCellControl::alignedRect(const QSize &size, const QRect &cell) const
{
    // Controls sit in the middle of the row unless told otherwise.
    Qt::Alignment alignment(m_alignment);
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    if (!(alignment & Qt::AlignHorizontal_Mask))
        alignment |= Qt::AlignLeft;
    return QStyle::alignedRect(Qt::LeftToRight, alignment, size, cell);
}

} // namespace XP
