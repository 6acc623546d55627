#pragma once

#include "xp/CBaseTableColumnDelegate.h"

#include <QHash>

#include <climits>

namespace XP {

// A column whose cells the trader types into (a quantity). Per row key the
// cell may be shown as an input with its own text; a click opens the
// table's editor on it, limited to whole numbers of the range when one is
// set, and a confirmed change is delivered as EVT_TABLE_LINEEDIT_CHANGED
// (234) with a = the delegate id, b = the column, text = the row key and
// data = pointer to the new QString. The owner judges the text and writes
// back what it keeps (setItemText). Keys without an input show the model's text.
class CBaseTableColumnLineeditDelegate final : public CBaseTableColumnDelegate
{
public:
    CBaseTableColumnLineeditDelegate(int id, CStandardHpfTable *table);
    ~CBaseTableColumnLineeditDelegate() override;

    void setIntRange(int minimum, int maximum);
    bool hasIntRange() const { return m_hasRange; }

    void setItemVisible(const QString &key, bool visible, bool update = true);
    bool isItemVisible(const QString &key) const;
    void setItemText(const QString &key, const QString &text, bool update = true);
    QString itemText(const QString &key) const;
    void clearItems();

    // Opens the editor of the row `key` (what a click on its cell does).
    bool editItem(const QString &key);

    QString cellText(const QString &key) const override;
    void paintCell(QPainter *painter, const QRect &cell, QWidget *view, bool hovered,
                   const QString &key, int alignment) const override;
    bool isCellClickable(const QString &key) const override;
    void clickCell(const QString &key, CTableCellControl *cell) override;

private:
    struct State
    {
        bool visible = false;
        QString text;
    };
    QHash<QString, State> m_states;
    bool m_hasRange = false;
    int m_minimum = INT_MIN;
    int m_maximum = INT_MAX;
};

} // namespace XP
