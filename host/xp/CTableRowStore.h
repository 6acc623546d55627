#pragma once

#include "xp/CTableCellControl.h"

#include <QSet>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace XP {

// What a table cell holds. Numbers keep their value (sorting, statistics);
// their text is made only when the cell is shown.
struct CTableCell
{
    // WIDGET: a real widget lies over the cell (the table keeps it).
    enum EKind : unsigned char { EMPTY, TEXT, DOUBLE, INT, WIDGET };

    QString text; // TEXT
    double number = 0.0; // DOUBLE and INT (integers up to 2^53 are exact)
    std::unique_ptr<CTableCellControl> control; // painted by the table
    EKind kind = EMPTY;
    signed char decimals = 0;
    unsigned short flags = 0; // NumberFormat flags
    bool editable = false; // the trader may type into the cell (kept when the content changes)
};

// The rows of a toolkit table, by the id appendRow() gave them, and the order
// in which they are shown (filtered and sorted). No widget code: the model
// and the view read from here.
//
// Row ids count from 0 after each clear(), which keeps the memory of the
// rows for the next fill (a table is refilled with about as many rows). Appended rows are shown at
// the end until the order is rebuilt (rebuildOrder), which applies the filters and the sort; the
// table rebuilds once per batch of appends.
class CTableRowStore
{
public:
    CTableRowStore();
    ~CTableRowStore();

    int columnCount() const { return m_columnCount; }
    // Keeps the rows; cells of removed columns go, new columns are empty.
    void setColumnCount(int count);

    int rowCount() const { return static_cast<int>(m_rowSelectable.size()); }
    bool isValidRow(int row) const { return row >= 0 && row < rowCount(); }
    bool isValidCell(int row, int column) const
    {
        return isValidRow(row) && column >= 0 && column < m_columnCount;
    }
    int appendRow();
    // Adds empty rows or removes the last ones.
    void setRowCount(int count);
    void clearRows();
    void reserveRows(int count);

    CTableCell *cell(int row, int column);
    const CTableCell *cell(int row, int column) const;

    bool isRowSelectable(int row) const { return isValidRow(row) && m_rowSelectable[size_t(row)]; }
    void setRowSelectable(int row, bool selectable);

    // The theme colour of a row's text (empty: the table's default), which
    // wins over a column's emphasis: a dimmed row stays dimmed.
    void setRowColorKey(int row, const QString &key);
    QString rowColorKey(int row) const;
    // A column drawn in a theme colour and bold (empty key: none).
    void setColumnEmphasis(int column, const QString &colorKey);
    QString columnEmphasis(int column) const;
    // A theme colour key for the ground of a column's cells (empty: the row's).
    void setColumnBackground(int column, const QString &key);
    QString columnBackground(int column) const
    {
        return column >= 0 && size_t(column) < m_columnBackground.size()
            ? m_columnBackground[size_t(column)]
            : QString();
    }
    // Alignment of a column's text (Qt::Alignment bits); 0: numbers right, text left.
    void setColumnAlignment(int column, int alignment);
    // The alignment a cell's text is drawn with.
    int cellAlignment(int row, int column) const;
    // The colour key a cell's text is drawn in.
    QString textColorKey(int row, int column) const;

    // The text a cell shows; numbers are formatted with their decimals and flags.
    QString displayText(int row, int column) const;
    // The value sorting compares: the number for number cells, else the text.
    bool lessThan(int rowA, int rowB, int column) const;

    // Display order: ids of the shown rows.
    int shownCount() const { return static_cast<int>(m_order.size()); }
    int rowAt(int index) const
    {
        return index >= 0 && index < shownCount() ? m_order[size_t(index)] : -1;
    }
    int indexOf(int row) const { return isValidRow(row) ? m_indexOf[size_t(row)] : -1; }

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    // -1 shows rows in the order they were added.
    void setSort(int column, Qt::SortOrder order);

    // Rows whose text in `column` is not among `allowed` are hidden; an empty
    // set removes the column's filter.
    void setColumnFilter(int column, const QSet<QString> &allowed);
    QSet<QString> columnFilter(int column) const;
    bool hasFilter() const { return !m_filters.empty(); }
    void clearFilters();
    bool isFiltered(int row) const;

    // True when appended rows wait for filters or sort to be applied.
    bool isOrderStale() const { return m_orderStale; }
    void rebuildOrder();

private:
    size_t cellIndex(int row, int column) const
    {
        return size_t(row) * size_t(m_columnCount) + size_t(column);
    }

    struct Filter
    {
        int column;
        QSet<QString> allowed;
    };

    int m_columnCount = 0;
    std::vector<CTableCell> m_cells; // row-major
    std::vector<bool> m_rowSelectable;
    std::vector<QString> m_rowColorKeys; // only as long as the last row given a colour
    std::vector<QString> m_columnEmphasis;
    std::vector<QString> m_columnBackground;
    std::vector<int> m_columnAlignment;
    std::vector<int> m_order;
    std::vector<int> m_indexOf;
    std::vector<Filter> m_filters;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_orderStale = false;
};

} // namespace XP
