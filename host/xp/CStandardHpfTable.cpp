#include "xp/CStandardHpfTable.h"

#include "xp/CBaseTableColumnDelegate.h"
#include "xp/IBaseHpfTableModel.h"

namespace XP {

CStandardHpfTable::CStandardHpfTable(int index, QWidget *parent, int menuFlags)
    : COddEvenRowTable(0, parent, menuFlags)
    , m_index(index)
{
    setObjectName(QStringLiteral("xp_standardhpftable"));
}

CStandardHpfTable::~CStandardHpfTable() = default;

void CStandardHpfTable::setDataModel(IBaseHpfTableModel *model)
{
    if (model == m_dataModel.get())
        return;
    clear();
    m_dataModel.reset(model);
    syncColumns();
    if (m_dataModel)
        m_dataModel->markShifted(0);
    updateTable();
}

void CStandardHpfTable::syncColumns()
{
    const int count = m_dataModel ? m_dataModel->getColumnCount() : 0;
    setColumnCount(count);
    for (int column = 0; column < count; ++column) {
        setHeaderText(column, m_dataModel->getHeaderText(column));
        switch (m_dataModel->getColumnType(column)) {
        case QVariant::Int:
        case QVariant::LongLong:
        case QVariant::Double:
            setColumnAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
            break;
        default:
            break;
        }
    }
}

void CStandardHpfTable::setColumnDelegate(int column, CBaseTableColumnDelegate *delegate)
{
    if (column < 0 || !delegate)
        return;
    const auto it = m_delegates.find(column);
    if (it != m_delegates.end() && it->second == delegate)
        return;
    if (it != m_delegates.end()) {
        closeEditor(false); // it may be the replaced delegate's
        delete it->second;
    }
    delegate->setParent(this);
    delegate->setColumn(column);
    m_delegates[column] = delegate;
    if (m_dataModel)
        m_dataModel->markShifted(0); // every row gets the new control
}

CBaseTableColumnDelegate *CStandardHpfTable::columnDelegate(int column) const
{
    const auto it = m_delegates.find(column);
    return it == m_delegates.end() ? nullptr : it->second;
}

void CStandardHpfTable::setColumnBackgroundColorKey(int column, const QString &key)
{
    setColumnBackgroundKey(column, key);
}

void CStandardHpfTable::updateTable()
{
    if (!m_dataModel) {
        if (rowCount() > 0)
            setRowCount(0);
        return;
    }
    IBaseHpfTableModel &model = *m_dataModel;
    const int size = model.size();
    const int shiftedFrom = model.m_shiftedFrom;
    if (rowCount() > size)
        setRowCount(size);
    while (rowCount() < size)
        appendRow();
    const int rewriteFrom = shiftedFrom < 0 ? size : std::min(shiftedFrom, size);
    for (const int index : model.m_changed)
        if (index < rewriteFrom)
            writeRow(index);
    for (int index = rewriteFrom; index < size; ++index)
        writeRow(index);
    model.m_changed.clear();
    model.m_isChanged.assign(size_t(size), false);
    model.m_shiftedFrom = -1;
    for (int column = 0; column < columnCount(); ++column) {
        const QString text = model.getStatText(column);
        if (text != statText(column))
            setStatText(column, text);
    }
}

void CStandardHpfTable::writeRow(int index)
{
    const IBaseHpfTableDataPtr row = m_dataModel->getData(index);
    if (!row)
        return;
    const QString key = row->getKey();
    for (int column = 0; column < columnCount(); ++column) {
        CBaseTableColumnDelegate *delegate = columnDelegate(column);
        if (!delegate) {
            setItemText(index, column, row->getDisplayText(column));
            continue;
        }
        auto *cell = dynamic_cast<CTableColumnDelegateCell *>(itemControl(index, column));
        if (cell && cell->delegate() == delegate && cell->key() == key)
            updateRow(index);
        else
            setItemWidget(index, column, new CTableColumnDelegateCell(delegate, key, this),
                          Qt::AlignCenter);
    }
}

void CStandardHpfTable::adjustColumnWidth()
{
    adjustVisibleRowsColumnWidth();
}

QString CStandardHpfTable::keyAt(int index) const
{
    const IBaseHpfTableDataPtr row = m_dataModel ? m_dataModel->getData(index) : nullptr;
    return row ? row->getKey() : QString();
}

void CStandardHpfTable::updateKey(const QString &key)
{
    if (m_dataModel)
        updateRow(m_dataModel->indexOfKey(key));
}

} // namespace XP
