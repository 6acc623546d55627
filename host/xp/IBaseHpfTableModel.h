#pragma once

#include "xp/IBaseHpfTableData.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <vector>

class QColor;

namespace XP {

class CStandardHpfTable;

// The rows of a model table and what its columns are. The module's models
// answer the column questions; the rows are kept here, one per key, in the
// order they were added. Changes reach the screen at the table's next
// updateTable().
class IBaseHpfTableModel
{
public:
    // `keyed`: rows are found by their key (the only kind the toolkit builds).
    explicit IBaseHpfTableModel(bool keyed);
    virtual ~IBaseHpfTableModel();
    IBaseHpfTableModel(const IBaseHpfTableModel &) = delete;
    IBaseHpfTableModel &operator=(const IBaseHpfTableModel &) = delete;

    virtual int getColumnCount() const = 0;
    virtual QString getHeaderText(int column) const = 0;
    // QVariant::String, Int, LongLong, Double, or Invalid for a control column;
    // number columns are right-aligned and sort as numbers.
    virtual QVariant::Type getColumnType(int column) const = 0;
    // The statistics line's text under a column.
    virtual QString getStatText(int column) const = 0;
    // True: the trader may hide the column (none of the module's columns).
    virtual bool getColumnSwitch(int column) const = 0;
    virtual const QColor *getRowBackgroundColor(int row) const = 0;
    // NumberFormat flags of a column.
    virtual int getItemFlag(int column) const = 0;

    // Removes every row.
    virtual void clear();

    // Appends `row`, or replaces the row of the same key where it stands.
    void addData(const IBaseHpfTableDataPtr &row);
    // Marks the row of `row`'s key as changed (its cells are rewritten at the
    // next updateTable()).
    void updateData(const IBaseHpfTableDataPtr &row);
    bool removeDataByKey(const QString &key);
    IBaseHpfTableDataPtr getDataByKey(const QString &key) const;
    IBaseHpfTableDataPtr getData(int index) const;
    int indexOfKey(const QString &key) const;
    int size() const { return static_cast<int>(m_rows.size()); }
    bool isKeyed() const { return m_keyed; }

private:
    friend class CStandardHpfTable;
    void markChanged(int index);
    void markShifted(int fromIndex);

    const bool m_keyed;
    std::vector<IBaseHpfTableDataPtr> m_rows;
    QHash<QString, int> m_indexByKey;
    // What the table must rewrite: every row from m_shiftedFrom on, and the
    // rows in m_changed (indices, unsorted, no duplicates).
    int m_shiftedFrom = -1;
    std::vector<int> m_changed;
    std::vector<bool> m_isChanged;
};

} // namespace XP
