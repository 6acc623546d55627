#pragma once

#include "xp/CBaseTableColumnDelegate.h"

#include <QHash>
#include <QVector>

namespace XP {

// A column of choices: per row key a list of items (text and value) and the
// current one. A click pops the list up at the cell; choosing another item
// makes it current and delivers EVT_TABLE_COMBO_CHANGED (275) with a = the
// delegate id, b = the item's value and text = the row key.
class CBaseTableColumnComboxDelegate final : public CBaseTableColumnDelegate
{
public:
    CBaseTableColumnComboxDelegate(int id, CStandardHpfTable *table);
    ~CBaseTableColumnComboxDelegate() override;

    // Shows the current item as plain text, the box and its arrow only under
    // the mouse (a column of many rows stays quiet).
    void hideCombox();
    bool isComboxHidden() const { return m_hidden; }

    void addItem(const QString &key, const QString &text, int value);
    // Makes the item of `value` current, adding it with `text` when the row lacks it.
    void setCurrentItem(const QString &key, const QString &text, int value);
    QString currentText(const QString &key) const;
    // The current item's value, `fallback` when the row has none.
    int currentValue(const QString &key, int fallback = -1) const;
    QStringList itemTexts(const QString &key) const;
    // Forgets the items of one row, or of every row.
    void clearItems(const QString &key);
    void clearItems();

    // What choosing item `index` of the row's list does (the pop-up calls it).
    bool chooseItem(const QString &key, int index);

    QString cellText(const QString &key) const override;
    void paintCell(QPainter *painter, const QRect &cell, QWidget *view, bool hovered,
                   const QString &key, int alignment) const override;
    bool isCellClickable(const QString &key) const override;
    void clickCell(const QString &key, CTableCellControl *cell) override;

private:
    struct Item
    {
        QString text;
        int value;
    };
    struct State
    {
        QVector<Item> items;
        int current = -1;
    };
    QHash<QString, State> m_states;
    bool m_hidden = false;
};

} // namespace XP
