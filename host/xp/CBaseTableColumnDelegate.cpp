#include "xp/CBaseTableColumnDelegate.h"

#include "xp/CStandardHpfTable.h"
#include "xp/IBaseHpfTableModel.h"

namespace XP {

CBaseTableColumnDelegate::CBaseTableColumnDelegate(int id, CStandardHpfTable *table)
    : QObject(table)
    , m_id(id)
    , m_table(table)
{
}

CBaseTableColumnDelegate::~CBaseTableColumnDelegate() = default;

void CBaseTableColumnDelegate::keyChanged(const QString &key, bool update) const
{
    if (update && m_table)
        m_table->updateKey(key);
}

bool CBaseTableColumnDelegate::deliver(int event, int a, int b, const QString &text,
                                       void *data) const
{
    return m_table && m_table->deliverTableEvent(event, a, b, text, data);
}

QString CBaseTableColumnDelegate::modelText(const QString &key) const
{
    IBaseHpfTableModel *model = m_table ? m_table->dataModel() : nullptr;
    const IBaseHpfTableDataPtr row = model ? model->getDataByKey(key) : IBaseHpfTableDataPtr();
    return row ? row->getDisplayText(m_column) : QString();
}

CTableColumnDelegateCell::CTableColumnDelegateCell(CBaseTableColumnDelegate *delegate,
                                                   const QString &key, IBaseTable *table)
    : CTableCellControl(delegate ? delegate->id() : 0, table)
    , m_delegate(delegate)
    , m_key(key)
{
}

QString CTableColumnDelegateCell::text() const
{
    return m_delegate->cellText(m_key);
}

void CTableColumnDelegateCell::paint(QPainter *painter, const QRect &cell, QWidget *view,
                                     bool hovered) const
{
    m_delegate->paintCell(painter, cell, view, hovered, m_key, alignment());
}

void CTableColumnDelegateCell::click()
{
    if (isClickable())
        m_delegate->clickCell(m_key, this);
}

bool CTableColumnDelegateCell::isClickable() const
{
    return m_delegate->isCellClickable(m_key);
}

} // namespace XP
