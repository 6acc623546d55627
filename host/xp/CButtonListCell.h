#pragma once

#include "xp/CTableCellControl.h"
#include "xp/ENormalButtonType.h"

#include <QVector>

namespace XP {

// Small push buttons side by side in a table cell, painted by the table and
// sharing the cell's width: the cell form of a CWidgetList of
// CSmallNormalButtons. A click on an enabled button delivers
// EVT_BUTTON_CHECKED (5) with a = that button's id from the table upwards.
//
//   auto *answer = new XP::CButtonListCell(table);
//   answer->addButton((row + 1) * 10000, QStringLiteral("确定"), XP::NBT_BUY);
//   table->setItemWidget(row, 25, answer, 0x3000, true);
class CButtonListCell final : public CTableCellControl
{
public:
    // The cell's own id is 0: each button carries its own.
    explicit CButtonListCell(IBaseTable *table);
    ~CButtonListCell() override;

    // Adds a button at the right end; `buttonType` picks its colours as
    // CSmallNormalButton's does. Returns its position.
    int addButton(int id, const QString &text, int buttonType = NBT_NORMAL);
    int buttonCount() const { return m_buttons.size(); }
    int buttonId(int index) const;
    QString buttonText(int index) const;
    // The position of the button with `id`, -1 when none.
    int indexOf(int id) const;
    void setButtonEnabled(int id, bool enabled);
    // False for a disabled button, a button of a disabled cell and an unknown id.
    bool isButtonEnabled(int id) const;

    // Presses the button with `id` as a click does: delivers its event when enabled.
    void clickButton(int id);
    // Where each button lies in a cell of `cell`'s size; the buttons share its width.
    QRect buttonRect(int index, const QRect &cell) const;

    QString text() const override;
    void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const override;
    // Without a point (the keyboard's activation of the row): the first enabled button.
    void click() override;
    void clickAt(QWidget *surface, const QPoint &pos, const QRect &cell) override;
    bool isClickable() const override;

private:
    struct Button
    {
        int id;
        QString text;
        int buttonType;
        bool enabled;
    };
    QVector<Button> m_buttons;
};

} // namespace XP
