#include "xp/CTableRowStore.h"

#include "xp/NumberFormat.h"

#include <algorithm>
#include <climits>

namespace XP {

namespace {

// Text cells that hold numbers ("1,250.00", "-3") sort as numbers.
bool textAsNumber(const QString &text, double *value)
{
    if (text.isEmpty() || text.size() > 40)
        return false;
    const QChar first = text.at(0);
    if (!first.isDigit() && first != QLatin1Char('-') && first != QLatin1Char('+')
        && first != QLatin1Char('.'))
        return false;
    bool ok = false;
    *value = text.contains(QLatin1Char(',')) ? QString(text).remove(QLatin1Char(',')).toDouble(&ok)
                                             : text.toDouble(&ok);
    return ok;
}

} // namespace

CTableRowStore::CTableRowStore() = default;
CTableRowStore::~CTableRowStore() = default;

void CTableRowStore::setColumnCount(int count)
{
    count = std::max(0, count);
    if (count == m_columnCount)
        return;
    const int rows = rowCount();
    std::vector<CTableCell> cells(size_t(rows) * size_t(count));
    const int kept = std::min(count, m_columnCount);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kept; ++c)
            cells[size_t(r) * size_t(count) + size_t(c)] = std::move(m_cells[cellIndex(r, c)]);
    m_cells.swap(cells);
    m_columnCount = count;
    m_columnEmphasis.resize(size_t(count));
    m_columnBackground.resize(size_t(count));
    m_columnAlignment.resize(size_t(count), 0);
    m_filters.erase(std::remove_if(m_filters.begin(), m_filters.end(),
                                   [count](const Filter &f) { return f.column >= count; }),
                    m_filters.end());
    if (m_sortColumn >= count)
        m_sortColumn = -1;
}

int CTableRowStore::appendRow()
{
    const int row = rowCount();
    m_cells.resize(m_cells.size() + size_t(m_columnCount));
    m_rowSelectable.push_back(true);
    m_indexOf.push_back(static_cast<int>(m_order.size()));
    m_order.push_back(row);
    if (m_sortColumn >= 0 || hasFilter())
        m_orderStale = true;
    return row;
}

void CTableRowStore::setRowCount(int count)
{
    count = std::max(0, count);
    if (count < rowCount()) {
        m_cells.resize(size_t(count) * size_t(m_columnCount));
        m_rowSelectable.resize(size_t(count));
        if (m_rowColorKeys.size() > size_t(count))
            m_rowColorKeys.resize(size_t(count));
        m_indexOf.resize(size_t(count));
        rebuildOrder();
        return;
    }
    reserveRows(count);
    while (rowCount() < count)
        appendRow();
}

void CTableRowStore::clearRows()
{
    m_cells.clear();
    m_rowSelectable.clear();
    m_rowColorKeys.clear();
    m_order.clear();
    m_indexOf.clear();
    m_orderStale = false;
}

void CTableRowStore::reserveRows(int count)
{
    if (count <= rowCount())
        return;
    m_cells.reserve(size_t(count) * size_t(m_columnCount));
    m_rowSelectable.reserve(size_t(count));
    m_order.reserve(size_t(count));
    m_indexOf.reserve(size_t(count));
}

CTableCell *CTableRowStore::cell(int row, int column)
{
    return isValidCell(row, column) ? &m_cells[cellIndex(row, column)] : nullptr;
}

const CTableCell *CTableRowStore::cell(int row, int column) const
{
    return isValidCell(row, column) ? &m_cells[cellIndex(row, column)] : nullptr;
}

void CTableRowStore::setRowSelectable(int row, bool selectable)
{
    if (isValidRow(row))
        m_rowSelectable[size_t(row)] = selectable;
}

void CTableRowStore::setRowColorKey(int row, const QString &key)
{
    if (!isValidRow(row))
        return;
    if (size_t(row) >= m_rowColorKeys.size()) {
        if (key.isEmpty())
            return;
        m_rowColorKeys.resize(size_t(row) + 1);
    }
    m_rowColorKeys[size_t(row)] = key;
}

QString CTableRowStore::rowColorKey(int row) const
{
    return row >= 0 && size_t(row) < m_rowColorKeys.size() ? m_rowColorKeys[size_t(row)]
                                                           : QString();
}

void CTableRowStore::setColumnEmphasis(int column, const QString &colorKey)
{
    if (column < 0 || column >= m_columnCount)
        return;
    if (m_columnEmphasis.size() < size_t(m_columnCount))
        m_columnEmphasis.resize(size_t(m_columnCount));
    m_columnEmphasis[size_t(column)] = colorKey;
}

void CTableRowStore::setColumnBackground(int column, const QString &key)
{
    if (column < 0 || column >= m_columnCount)
        return;
    if (m_columnBackground.size() < size_t(m_columnCount))
        m_columnBackground.resize(size_t(m_columnCount));
    m_columnBackground[size_t(column)] = key;
}

QString CTableRowStore::columnEmphasis(int column) const
{
    return column >= 0 && size_t(column) < m_columnEmphasis.size()
        ? m_columnEmphasis[size_t(column)]
        : QString();
}

void CTableRowStore::setColumnAlignment(int column, int alignment)
{
    if (column < 0 || column >= m_columnCount)
        return;
    if (m_columnAlignment.size() < size_t(m_columnCount))
        m_columnAlignment.resize(size_t(m_columnCount), 0);
    m_columnAlignment[size_t(column)] = alignment;
}

int CTableRowStore::cellAlignment(int row, int column) const
{
    const int fixed = column >= 0 && size_t(column) < m_columnAlignment.size()
        ? m_columnAlignment[size_t(column)]
        : 0;
    if (fixed)
        return fixed;
    const CTableCell *c = cell(row, column);
    const bool number = c && (c->kind == CTableCell::DOUBLE || c->kind == CTableCell::INT);
    return int((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

QString CTableRowStore::textColorKey(int row, int column) const
{
    QString key = rowColorKey(row);
    if (key.isEmpty())
        key = columnEmphasis(column);
    return key.isEmpty() ? QStringLiteral("clr_text_default") : key;
}

QString CTableRowStore::displayText(int row, int column) const
{
    const CTableCell *c = cell(row, column);
    if (!c)
        return QString();
    if (c->control)
        return c->control->text();
    switch (c->kind) {
    case CTableCell::TEXT:
        return c->text;
    case CTableCell::DOUBLE:
        return formatDoubleNumber(c->number, c->decimals, c->flags);
    case CTableCell::INT:
        // The host's unset integer is shown as nothing rather than as 2147483647.
        if (c->number == double(INT_MAX))
            return QString();
        return formatIntNumber(static_cast<long long>(c->number), 0, c->flags);
    case CTableCell::EMPTY:
    case CTableCell::WIDGET:
        break;
    }
    return QString();
}

bool CTableRowStore::lessThan(int rowA, int rowB, int column) const
{
    const CTableCell *a = cell(rowA, column);
    const CTableCell *b = cell(rowB, column);
    if (!a || !b)
        return false;
    const bool aNumber
        = !a->control && (a->kind == CTableCell::DOUBLE || a->kind == CTableCell::INT);
    const bool bNumber
        = !b->control && (b->kind == CTableCell::DOUBLE || b->kind == CTableCell::INT);
    double x = 0.0;
    double y = 0.0;
    if (aNumber && bNumber) {
        // Invalid numbers (NaN, the unset marker) sort after every valid one.
        const bool aBad = isInvalidNumber(a->number);
        const bool bBad = isInvalidNumber(b->number);
        if (aBad || bBad)
            return !aBad && bBad;
        return a->number < b->number;
    }
    const QString ta = aNumber ? QString() : displayText(rowA, column);
    const QString tb = bNumber ? QString() : displayText(rowB, column);
    const bool xOk = aNumber ? (x = a->number, true) : textAsNumber(ta, &x);
    const bool yOk = bNumber ? (y = b->number, true) : textAsNumber(tb, &y);
    if (xOk && yOk)
        return x < y;
    if (xOk != yOk)
        return xOk; // numbers before words
    return QString::localeAwareCompare(ta, tb) < 0;
}

void CTableRowStore::setSort(int column, Qt::SortOrder order)
{
    m_sortColumn = column >= 0 && column < m_columnCount ? column : -1;
    m_sortOrder = order;
    rebuildOrder();
}

void CTableRowStore::setColumnFilter(int column, const QSet<QString> &allowed)
{
    if (column < 0 || column >= m_columnCount)
        return;
    m_filters.erase(std::remove_if(m_filters.begin(), m_filters.end(),
                                   [column](const Filter &f) { return f.column == column; }),
                    m_filters.end());
    if (!allowed.isEmpty())
        m_filters.push_back({ column, allowed });
    rebuildOrder();
}

QSet<QString> CTableRowStore::columnFilter(int column) const
{
    for (const Filter &f : m_filters)
        if (f.column == column)
            return f.allowed;
    return QSet<QString>();
}

void CTableRowStore::clearFilters()
{
    if (m_filters.empty())
        return;
    m_filters.clear();
    rebuildOrder();
}

bool CTableRowStore::isFiltered(int row) const
{
    for (const Filter &f : m_filters)
        if (!f.allowed.contains(displayText(row, f.column)))
            return true;
    return false;
}

void CTableRowStore::rebuildOrder()
{
    const int rows = rowCount();
    m_order.clear();
    m_order.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r)
        if (m_filters.empty() || !isFiltered(r))
            m_order.push_back(r);
    if (m_sortColumn >= 0) {
        const int column = m_sortColumn;
        if (m_sortOrder == Qt::AscendingOrder)
            std::stable_sort(m_order.begin(), m_order.end(),
                             [this, column](int a, int b) { return lessThan(a, b, column); });
        else
            std::stable_sort(m_order.begin(), m_order.end(),
                             [this, column](int a, int b) { return lessThan(b, a, column); });
    }
    m_indexOf.assign(size_t(rows), -1);
    for (size_t i = 0; i < m_order.size(); ++i)
        m_indexOf[size_t(m_order[i])] = static_cast<int>(i);
    m_orderStale = false;
}

} // namespace XP
