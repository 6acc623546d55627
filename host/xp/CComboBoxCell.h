#pragma once

#include "xp/CTableCellControl.h"

#include <QPointer>
#include <QVariant>
#include <QVector>

#include <functional>

class QMenu;

namespace XP {

// A combo box in a table cell, painted by the table: a list of items (text and
// data) with one current item or none (-1). A click pops the list up under the
// cell; picking another item makes it current and delivers the choice, by
// default as EVT_COMBO_CHANGED (71) with a = id, b = index and data = the
// chosen item's QVariant, from the table upwards. The cell form of CComboBox.
//
//   auto *owner = new XP::CComboBoxCell((row + 1) * 10000 + 28, table);
//   owner->addItem(QStringLiteral("机构投资者"), 2);
//   owner->setCurrentIndex(owner->findData(2));
//   table->setItemWidget(row, 28, owner, Qt::AlignLeft | Qt::AlignVCenter, true);
class CComboBoxCell final : public CTableCellControl
{
public:
    // Delivers the choice of item `index` (already current). A table whose
    // combo column reports its choices otherwise (another event, the row's
    // key) replaces the default delivery with its own.
    using ChoiceDelivery = std::function<void(CComboBoxCell &cell, int index)>;

    CComboBoxCell(int id, IBaseTable *table);
    ~CComboBoxCell() override;

    void addItem(const QString &text, const QVariant &data = QVariant());
    void clear();
    int count() const { return m_items.size(); }
    QString itemText(int index) const;
    QVariant itemData(int index) const;
    // The first item whose data equals `data`, -1 when none.
    int findData(const QVariant &data) const;

    int currentIndex() const { return m_current; }
    // An index outside the items makes none current; no choice is delivered.
    void setCurrentIndex(int index);
    QVariant currentData() const { return itemData(m_current); }
    QString currentText() const { return itemText(m_current); }

    // The trader's pick of item `index`: it becomes current and, when it was
    // not, the choice is delivered. Ignored when disabled or out of range.
    void choose(int index);
    void setChoiceDelivery(ChoiceDelivery delivery) { m_delivery = std::move(delivery); }

    // The open list of items, null while it is closed.
    QMenu *popup() const;
    void closePopup();

    QString text() const override { return currentText(); }
    void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const override;
    // Pops the list up under the cell.
    void click() override;
    void clickAt(QWidget *surface, const QPoint &pos, const QRect &cell) override;

private:
    struct Item
    {
        QString text;
        QVariant data;
    };

    void dropPopup();
    void showPopup(QWidget *parent, const QPoint &globalPos, int minimumWidth);
    void deliverChoice(int index);

    QVector<Item> m_items;
    int m_current = -1;
    ChoiceDelivery m_delivery;
    QPointer<QMenu> m_popup; // dropped with the cell: its actions call back into it
};

} // namespace XP
