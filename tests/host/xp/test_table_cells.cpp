// The combo box and button row that a table paints in its cells.
#include "TableInput.h"

#include "xp/CBaseWidget.h"
#include "xp/CButtonListCell.h"
#include "xp/CComboBoxCell.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CTableView.h"
#include "xp/CUiResource.h"
#include "xp/TableLayoutStore.h"
#include "xp/WidgetEvents.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QVariant>

#include <gtest/gtest.h>

#include <vector>

using namespace XP;

namespace {

// Keeps what reaches it, the item data copied while it is delivered.
class Owner : public CBaseWidget
{
public:
    struct Event
    {
        int event, a, b;
        QString text;
        QVariant data;
    };

    Owner()
        : CBaseWidget(QStringLiteral("owner"), false, nullptr)
    {
        resize(700, 200);
        table = new COddEvenRowTable(0, this, 0x1FF);
        table->resize(700, 200);
        table->setColumnCount(3);
        table->setColumnWidth(1, 160);
        table->setColumnWidth(2, 180);
    }

    bool handleEvent(int event, int a, int b, QString text, void *data) override
    {
        QVariant value;
        if (event == EVT_COMBO_CHANGED && data)
            value = *static_cast<QVariant *>(data);
        events.push_back(Event { event, a, b, text, value });
        return true;
    }

    // The rectangle of the cell in the view's viewport.
    QRect cellRect(int row, int column) const
    {
        table->flush();
        return ::cellRect(*table, table->rowIndex(row), column);
    }
    void clickCell(int row, int column) const { clickRowCell(*table, row, column); }

    COddEvenRowTable *table;
    std::vector<Event> events;
};

class TableCellsTest : public ::testing::Test
{
protected:
    void TearDown() override { resetTableLayouts(); }
};

} // namespace

TEST_F(TableCellsTest, comboClickPopsUpItsItemsAndAPickDeliversTheChoice)
{
    Owner owner;
    for (int i = 0; i < 2; ++i) {
        const int row = owner.table->appendRow();
        auto *combo = new CComboBoxCell((row + 1) * 10000 + 1, owner.table);
        combo->addItem(QStringLiteral("机构投资者"), 2);
        combo->addItem(QStringLiteral("个人投资者"), 0);
        combo->addItem(QStringLiteral("会员"), 1);
        combo->setCurrentIndex(0);
        owner.table->setItemWidget(row, 1, combo, Qt::AlignLeft | Qt::AlignVCenter);
    }
    owner.show();
    auto *second = static_cast<CComboBoxCell *>(owner.table->itemControl(1, 1));

    owner.clickCell(1, 1);
    QMenu *popup = second->popup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->actions().size(), 3);
    EXPECT_TRUE(popup->actions().at(0)->isChecked());
    EXPECT_EQ(popup->actions().at(2)->text(), QStringLiteral("会员"));
    // The list opens under its own cell.
    const QRect cell = owner.cellRect(1, 1);
    EXPECT_EQ(popup->parentWidget(), owner.table->view()->viewport());
    EXPECT_GE(popup->minimumWidth(), cell.width());

    popup->actions().at(2)->trigger();
    ASSERT_EQ(owner.events.size(), 1u);
    EXPECT_EQ(owner.events[0].event, int(EVT_COMBO_CHANGED));
    EXPECT_EQ(owner.events[0].a, 20001);
    EXPECT_EQ(owner.events[0].b, 2);
    EXPECT_EQ(owner.events[0].data, QVariant(1));
    EXPECT_EQ(second->currentIndex(), 2);
    EXPECT_EQ(second->popup(), nullptr) << "a pick closes the list";

    // Picking the current item again changes nothing and says nothing.
    second->choose(2);
    EXPECT_EQ(owner.events.size(), 1u);
    // A disabled combo neither opens nor changes.
    second->setEnabled(false);
    owner.clickCell(1, 1);
    EXPECT_EQ(second->popup(), nullptr);
    second->choose(0);
    EXPECT_EQ(second->currentIndex(), 2);
    EXPECT_EQ(owner.events.size(), 1u);

    // Copying and export give the current text; setting it from code says nothing.
    EXPECT_EQ(owner.table->itemText(1, 1), QStringLiteral("会员"));
    second->setCurrentIndex(second->findData(7));
    EXPECT_EQ(second->currentIndex(), -1);
    EXPECT_EQ(owner.table->itemText(1, 1), QString());
    EXPECT_EQ(owner.events.size(), 1u);
}

TEST_F(TableCellsTest, buttonRowDeliversTheIdOfTheEnabledButtonClicked)
{
    Owner owner;
    for (int i = 0; i < 2; ++i) {
        const int row = owner.table->appendRow();
        auto *buttons = new CButtonListCell(owner.table);
        buttons->addButton((row + 1) * 10000, QStringLiteral("确定"), NBT_BUY);
        buttons->addButton((row + 1) * 10000 + 1, QStringLiteral("拒绝"), NBT_SELL);
        owner.table->setItemWidget(row, 2, buttons, 0x3000);
    }
    owner.show();
    auto *first = static_cast<CButtonListCell *>(owner.table->itemControl(0, 2));
    auto *second = static_cast<CButtonListCell *>(owner.table->itemControl(1, 2));
    EXPECT_EQ(owner.table->itemText(0, 2), QStringLiteral("确定 拒绝"));

    // The buttons share the cell without overlapping.
    const QRect cell = owner.cellRect(1, 2);
    const QRect left = second->buttonRect(0, cell);
    const QRect right = second->buttonRect(1, cell);
    EXPECT_TRUE(cell.contains(left));
    EXPECT_TRUE(cell.contains(right));
    EXPECT_FALSE(left.intersects(right));
    EXPECT_NEAR(left.width(), right.width(), 1);

    // A click picks the button under the pointer.
    owner.table->flush();
    clickAt(owner.table->view()->viewport(), right.center());
    clickAt(owner.table->view()->viewport(), left.center());
    ASSERT_EQ(owner.events.size(), 2u);
    EXPECT_EQ(owner.events[0].event, int(EVT_BUTTON_CHECKED));
    EXPECT_EQ(owner.events[0].a, 20001);
    EXPECT_EQ(owner.events[1].a, 20000);
    // Between the buttons nothing is pressed.
    second->clickAt(owner.table->view()->viewport(), QPoint(left.right() + 1, left.center().y()),
                    cell);
    EXPECT_EQ(owner.events.size(), 2u);

    // A click without a point (the row's activation) presses the first enabled button.
    first->setButtonEnabled(10000, false);
    first->click();
    ASSERT_EQ(owner.events.size(), 3u);
    EXPECT_EQ(owner.events[2].a, 10001);
    clickAt(owner.table->view()->viewport(), first->buttonRect(0, owner.cellRect(0, 2)).center());
    first->clickButton(12345);
    EXPECT_EQ(owner.events.size(), 3u);

    // With every button disabled the cell is no link and a click sends nothing.
    first->setButtonEnabled(10001, false);
    EXPECT_FALSE(first->isClickable());
    first->click();
    second->setEnabled(false);
    EXPECT_FALSE(second->isButtonEnabled(20000));
    clickAt(owner.table->view()->viewport(), left.center());
    EXPECT_EQ(owner.events.size(), 3u);
}

TEST_F(TableCellsTest, buttonsArePaintedInTheirTypeColoursAndGreyWhenDisabled)
{
    Owner owner;
    for (int i = 0; i < 2; ++i) {
        const int row = owner.table->appendRow();
        auto *buttons = new CButtonListCell(owner.table);
        buttons->addButton((row + 1) * 10000, QStringLiteral("确定"), NBT_BUY);
        buttons->setButtonEnabled((row + 1) * 10000, row == 0);
        owner.table->setItemWidget(row, 2, buttons, 0x3000);
    }
    owner.show();
    owner.table->flush();
    const QImage image = owner.table->view()->viewport()->grab().toImage();
    auto groundAt = [&](int row) {
        // Left of the centred text, inside the button.
        const QRect button = static_cast<CButtonListCell *>(owner.table->itemControl(row, 2))
                                 ->buttonRect(0, owner.cellRect(row, 2));
        return image.pixelColor(button.left() + 4, button.center().y());
    };
    const CButtonColorKeys buy = CSmallNormalButton::colorKeysForType(NBT_BUY);
    EXPECT_EQ(groundAt(0), *uiResource()->getColor(buy.normal));
    EXPECT_EQ(groundAt(1), *uiResource()->getColor(buy.disabled));
}
