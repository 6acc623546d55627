#pragma once

#include "xp/COddEvenRowTable.h"

#include <QVariant>

#include <map>
#include <memory>

namespace XP {

class CBaseTableColumnDelegate;
class IBaseHpfTableModel;

// A table that shows a model (IBaseHpfTableModel) instead of being filled
// cell by cell: the owner changes the model's rows and calls updateTable(),
// which rewrites only the rows that changed and refreshes the statistics
// line. Columns may carry delegates (ticks, quantities, choices) whose state
// is kept per row key. Everything else (painting, menus, sorting, widths) is
// the odd-even row table's.
class CStandardHpfTable : public COddEvenRowTable
{
    Q_OBJECT
public:
    CStandardHpfTable(int index, QWidget *parent, int menuFlags);
    ~CStandardHpfTable() override;

    int tableIndex() const { return m_index; }

    // The table keeps the model and deletes it with itself or the next model.
    void setDataModel(IBaseHpfTableModel *model);
    IBaseHpfTableModel *dataModel() const { return m_dataModel.get(); }

    // The table keeps the delegate (its Qt parent); a delegate set again for
    // the same column stays what it was.
    void setColumnDelegate(int column, CBaseTableColumnDelegate *delegate);
    CBaseTableColumnDelegate *columnDelegate(int column) const;

    // A theme colour key for the ground of a column's cells.
    void setColumnBackgroundColorKey(int column, const QString &key);

    // Brings the model's changes to the table: rows added, removed and
    // changed since the last call, headers, and the statistics line.
    void updateTable();
    // Fits the columns to their headers and the rows on screen.
    void adjustColumnWidth();

    // The key of the model row at `index`, empty outside.
    QString keyAt(int index) const;
    // Repaints the row of `key` (a delegate's state changed).
    void updateKey(const QString &key);

private:
    void syncColumns();
    void writeRow(int index);

    const int m_index;
    std::unique_ptr<IBaseHpfTableModel> m_dataModel;
    std::map<int, CBaseTableColumnDelegate *> m_delegates; // children of this table
};

} // namespace XP
