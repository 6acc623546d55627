#pragma once

#include "xp/CTableCellControl.h"

#include <QObject>
#include <QString>

namespace XP {

class CStandardHpfTable;

// A column of a model table whose cells are controls (a tick, a quantity to
// type, a choice) with a state per row key. The delegate keeps the states;
// the table paints each cell through a small cell control that only names
// the delegate and the key, so a row costs no widget and its controls follow
// the row when rows come and go.
class CBaseTableColumnDelegate : public QObject
{
public:
    CBaseTableColumnDelegate(int id, CStandardHpfTable *table);
    ~CBaseTableColumnDelegate() override;

    int id() const { return m_id; }
    CStandardHpfTable *table() const { return m_table; }
    // The column the table placed the delegate in, -1 while none.
    int column() const { return m_column; }
    void setColumn(int column) { m_column = column; }

    // What the cell of `key` shows and does.
    virtual QString cellText(const QString &key) const = 0;
    virtual void paintCell(QPainter *painter, const QRect &cell, QWidget *view, bool hovered,
                           const QString &key, int alignment) const = 0;
    virtual bool isCellClickable(const QString &key) const = 0;
    virtual void clickCell(const QString &key, CTableCellControl *cell) = 0;

protected:
    // Repaints the cell of `key` when `update`.
    void keyChanged(const QString &key, bool update) const;
    bool deliver(int event, int a, int b, const QString &text, void *data) const;
    // The text the row's model gives the delegate's column.
    QString modelText(const QString &key) const;

private:
    const int m_id;
    CStandardHpfTable *m_table; // not owned: the table is the delegate's parent
    int m_column = -1;
};

// The cell control of a delegate column: one per row, naming the row's key.
class CTableColumnDelegateCell final : public CTableCellControl
{
public:
    CTableColumnDelegateCell(CBaseTableColumnDelegate *delegate, const QString &key,
                             IBaseTable *table);

    CBaseTableColumnDelegate *delegate() const { return m_delegate; }
    const QString &key() const { return m_key; }

    QString text() const override;
    void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const override;
    void click() override;
    bool isClickable() const override;

private:
    CBaseTableColumnDelegate *m_delegate; // not owned: the table keeps its delegates
    QString m_key;
};

} // namespace XP
