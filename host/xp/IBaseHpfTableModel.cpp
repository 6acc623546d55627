#include "xp/IBaseHpfTableModel.h"

#include <algorithm>

namespace XP {

IBaseHpfTableData::~IBaseHpfTableData() = default;

IBaseHpfTableModel::IBaseHpfTableModel(bool keyed)
    : m_keyed(keyed)
{
}

IBaseHpfTableModel::~IBaseHpfTableModel() = default;

void IBaseHpfTableModel::clear()
{
    m_rows.clear();
    m_indexByKey.clear();
    m_changed.clear();
    m_isChanged.clear();
    markShifted(0);
}

void IBaseHpfTableModel::addData(const IBaseHpfTableDataPtr &row)
{
    if (!row)
        return;
    const QString key = row->getKey();
    const auto it = m_indexByKey.constFind(key);
    if (it != m_indexByKey.constEnd()) {
        m_rows[size_t(*it)] = row;
        markChanged(*it);
        return;
    }
    m_indexByKey.insert(key, size());
    m_rows.push_back(row);
    m_isChanged.push_back(false);
    markChanged(size() - 1);
}

void IBaseHpfTableModel::updateData(const IBaseHpfTableDataPtr &row)
{
    if (!row)
        return;
    const int index = indexOfKey(row->getKey());
    if (index < 0)
        return;
    m_rows[size_t(index)] = row;
    markChanged(index);
}

bool IBaseHpfTableModel::removeDataByKey(const QString &key)
{
    const int index = indexOfKey(key);
    if (index < 0)
        return false;
    m_rows.erase(m_rows.begin() + index);
    m_indexByKey.remove(key);
    for (int i = index; i < size(); ++i)
        m_indexByKey[m_rows[size_t(i)]->getKey()] = i;
    markShifted(index);
    return true;
}

IBaseHpfTableDataPtr IBaseHpfTableModel::getDataByKey(const QString &key) const
{
    return getData(indexOfKey(key));
}

IBaseHpfTableDataPtr IBaseHpfTableModel::getData(int index) const
{
    return index >= 0 && index < size() ? m_rows[size_t(index)] : IBaseHpfTableDataPtr();
}

int IBaseHpfTableModel::indexOfKey(const QString &key) const
{
    return m_indexByKey.value(key, -1);
}

void IBaseHpfTableModel::markChanged(int index)
{
    if (m_shiftedFrom >= 0 && index >= m_shiftedFrom)
        return;
    m_isChanged.resize(m_rows.size(), false);
    if (m_isChanged[size_t(index)])
        return;
    m_isChanged[size_t(index)] = true;
    m_changed.push_back(index);
}

void IBaseHpfTableModel::markShifted(int fromIndex)
{
    m_shiftedFrom = m_shiftedFrom < 0 ? fromIndex : std::min(m_shiftedFrom, fromIndex);
    m_isChanged.resize(m_rows.size(), false);
}

} // namespace XP
