#pragma once

#include "xp/CBaseTableColumnDelegate.h"

#include <QHash>
#include <QSet>

namespace XP {

// A tick column: per row key a tick that may be shown, enabled and ticked. A
// click on a shown, enabled tick toggles it and delivers
// EVT_TABLE_CHECKBOX_CLICKED (230) with a = the delegate id, b = the column
// and text = the row key.
class CBaseTableColumnCheckBoxDelegate final : public CBaseTableColumnDelegate
{
public:
    CBaseTableColumnCheckBoxDelegate(int id, CStandardHpfTable *table);
    ~CBaseTableColumnCheckBoxDelegate() override;

    // `update` false leaves the repaint to the next change that asks for one.
    void setItemVisible(const QString &key, bool visible, bool update = true);
    void setItemEnabled(const QString &key, bool enabled, bool update = true);
    void setItemChecked(const QString &key, bool checked, bool update = true);
    bool isItemVisible(const QString &key) const;
    bool isItemEnabled(const QString &key) const;
    bool isItemChecked(const QString &key) const;
    // The ticked keys, of rows present or gone (the owner maps them to rows).
    const QSet<QString> &checkedKeys() const { return m_checked; }
    // Forgets every key's state.
    void clearItems();

    QString cellText(const QString &key) const override;
    void paintCell(QPainter *painter, const QRect &cell, QWidget *view, bool hovered,
                   const QString &key, int alignment) const override;
    bool isCellClickable(const QString &key) const override;
    void clickCell(const QString &key, CTableCellControl *cell) override;

private:
    struct State
    {
        bool visible = false;
        bool enabled = true;
    };
    QHash<QString, State> m_states;
    QSet<QString> m_checked;
};

} // namespace XP
