#include "EventRecorder.h"
#include "TableInput.h"

#include "xp/CBaseTableColumnCheckBoxDelegate.h"
#include "xp/CBaseTableColumnComboxDelegate.h"
#include "xp/CBaseTableColumnLineeditDelegate.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/IBaseHpfTableModel.h"
#include "xp/WidgetEvents.h"

#include <QLineEdit>

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <utility>

using namespace XP;

namespace {

struct BondRow : IBaseHpfTableData
{
    BondRow(const QString &code, int quantity)
        : code(code)
        , quantity(quantity)
    {
    }
    QString getDisplayText(int column) const override
    {
        return column == 1 ? code : column == 2 ? QString::number(quantity) : QString();
    }
    QString getString(int column) const override { return column == 1 ? code : QString(); }
    int getInt(int column) const override { return column == 2 ? quantity : INT_MAX; }
    double getDouble(int) const override { return 0.0; }
    long long getLonglong(int) const override { return LLONG_MAX; }
    const QColor *getTextColor(int) const override { return nullptr; }
    QString getKey() const override { return QStringLiteral("SH|") + code; }

    QString code;
    int quantity;
};

struct BondModel : IBaseHpfTableModel
{
    using IBaseHpfTableModel::IBaseHpfTableModel;
    int getColumnCount() const override { return 3; }
    QString getHeaderText(int column) const override
    {
        return QStringList { "选择", "债券代码", "数量" }.value(column);
    }
    QVariant::Type getColumnType(int column) const override
    {
        return column == 2 ? QVariant::Int : column == 1 ? QVariant::String : QVariant::Invalid;
    }
    QString getStatText(int column) const override
    {
        return column == 2 ? QString::number(total) : QString();
    }
    bool getColumnSwitch(int) const override { return false; }
    const QColor *getRowBackgroundColor(int) const override { return nullptr; }
    int getItemFlag(int) const override { return 0; }
    int total = 0;
};

boost::shared_ptr<BondRow> bond(const char *code, int quantity)
{
    return boost::make_shared<BondRow>(QString::fromLatin1(code), quantity);
}

QStringList shownCodes(const CStandardHpfTable &table)
{
    QStringList codes;
    for (int index = 0; index < table.shownRowCount(); ++index)
        codes.append(table.itemText(table.rowID(index), 1));
    return codes;
}

// A table over a bond model (kept by the table) under an owner that records what reaches it.
struct HpfTable : ::testing::Test
{
    HpfTable() { table->setDataModel(model); }
    void show(std::initializer_list<std::pair<const char *, int>> rows)
    {
        for (const auto &row : rows)
            model->addData(bond(row.first, row.second));
        owner.resize(500, 300);
        table->resize(500, 300);
        table->updateTable();
        owner.show();
    }
    void click(const QString &key, int column)
    {
        clickRowCell(*table, model->indexOfKey(key), column);
    }

    const QString a = QStringLiteral("SH|019547");
    const QString b = QStringLiteral("SH|122000");
    const QString c = QStringLiteral("SH|010107");
    EventRecorder owner { QStringLiteral("owner"), nullptr };
    CStandardHpfTable *table = new CStandardHpfTable(0, &owner, 0x1FF);
    BondModel *model = new BondModel(true); // rows found by key
};

TEST_F(HpfTable, updateTableBringsRowsAddedReplacedAndRemovedAndRewritesOnlyChangedRows)
{
    auto second = bond("122000", 20);
    for (const auto &row : { bond("019547", 10), second, bond("010107", 30) })
        model->addData(row);
    EXPECT_EQ(table->rowCount(), 0); // nothing shows before updateTable()
    model->total = 60;
    table->updateTable();
    EXPECT_EQ(shownCodes(*table), (QStringList { "019547", "122000", "010107" }));
    EXPECT_EQ(table->statText(2), QStringLiteral("60"));

    // A change reaches the table as a rewrite of that row only.
    second->quantity = 25;
    model->updateData(second);
    table->updateTable();
    EXPECT_EQ(table->itemText(1, 2), QStringLiteral("25"));

    // A second row of the same key replaces the first where it stands.
    model->addData(bond("122000", 99));
    table->updateTable();
    EXPECT_EQ(model->size(), 3);
    EXPECT_EQ(table->itemText(1, 2), QStringLiteral("99"));

    // Removing moves the rows below up, and their keys with them.
    EXPECT_TRUE(model->removeDataByKey(a));
    EXPECT_FALSE(model->removeDataByKey(a));
    table->updateTable();
    EXPECT_EQ(shownCodes(*table), (QStringList { "122000", "010107" }));
    EXPECT_EQ(model->indexOfKey(b), 0);
    EXPECT_EQ(model->indexOfKey(c), 1);
    EXPECT_EQ(table->keyAt(1), c);
    EXPECT_EQ(table->keyAt(2), QString());

    // A column delegate set later reaches the rows already shown.
    auto *ticks = new CBaseTableColumnCheckBoxDelegate(7, table);
    table->setColumnDelegate(0, ticks);
    ticks->setItemVisible(b, true);
    ticks->setItemChecked(b, true);
    table->updateTable();
    EXPECT_EQ(table->itemText(0, 0), QStringLiteral("√"));

    model->clear();
    table->updateTable();
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(HpfTable, choiceColumnAnnouncesTheChosenValueOnce)
{
    auto *choice = new CBaseTableColumnComboxDelegate(8, table);
    table->setColumnDelegate(1, choice);
    model->addData(bond("019547", 1));
    table->updateTable();
    choice->hideCombox();
    choice->addItem(a, QStringLiteral("非限售股"), 48);
    EXPECT_FALSE(table->itemControl(0, 1)->isClickable()) << "one item is no choice";
    choice->addItem(a, QStringLiteral("限售股"), 49);
    EXPECT_TRUE(table->itemControl(0, 1)->isClickable());
    choice->setCurrentItem(a, QStringLiteral("非限售股"), 48);
    EXPECT_EQ(table->itemText(0, 1), QStringLiteral("非限售股"));
    EXPECT_FALSE(choice->chooseItem(a, 0)); // already current
    EXPECT_FALSE(choice->chooseItem(a, 2));
    EXPECT_FALSE(choice->chooseItem(QStringLiteral("SZ|1"), 0));
    EXPECT_EQ(owner.count(EVT_TABLE_COMBO_CHANGED), 0);
    EXPECT_TRUE(choice->chooseItem(a, 1));
    EXPECT_EQ(owner.heard(EVT_TABLE_COMBO_CHANGED), QStringList { "8 49 SH|019547" });
    EXPECT_EQ(table->itemText(0, 1), QStringLiteral("限售股"));
}

TEST_F(HpfTable, tickColumnTogglesShownEnabledTicksAndAnnouncesTheKey)
{
    auto *ticks = new CBaseTableColumnCheckBoxDelegate(7, table);
    table->setColumnDelegate(0, ticks);
    show({ { "019547", 1 }, { "122000", 2 }, { "010107", 3 } });
    ticks->setItemVisible(a, true);
    ticks->setItemVisible(b, true);
    ticks->setItemEnabled(b, false);

    click(a, 0);
    click(b, 0); // disabled
    click(c, 0); // never shown
    EXPECT_TRUE(ticks->isItemChecked(a));
    EXPECT_FALSE(ticks->isItemChecked(b));
    EXPECT_FALSE(ticks->isItemChecked(c));
    EXPECT_EQ(owner.heard(EVT_TABLE_CHECKBOX_CLICKED), QStringList { "7 0 SH|019547" });
    EXPECT_EQ(table->itemText(0, 0), QStringLiteral("√"));

    // The tick follows its row when the rows above go.
    model->removeDataByKey(a);
    ticks->setItemChecked(c, true);
    table->updateTable();
    EXPECT_EQ(table->itemText(1, 0), QString()); // c is not shown as a tick
    ticks->setItemVisible(c, true);
    EXPECT_EQ(table->itemText(1, 0), QStringLiteral("√"));
    click(c, 0);
    EXPECT_FALSE(ticks->isItemChecked(c));
    EXPECT_EQ(ticks->checkedKeys(), QSet<QString> { a });
}

TEST_F(HpfTable, quantityColumnEditsInPlaceAndHandsTheOwnerTheText)
{
    auto *quantity = new CBaseTableColumnLineeditDelegate(4, table);
    quantity->setIntRange(0, INT_MAX);
    table->setColumnDelegate(2, quantity);
    show({ { "019547", 10 }, { "122000", 20 } });
    quantity->setItemVisible(a, true);
    quantity->setItemText(a, QStringLiteral("0"));
    EXPECT_EQ(table->itemText(0, 2), QStringLiteral("0"));
    EXPECT_EQ(table->itemText(1, 2), QStringLiteral("20")); // no input: the model's text
    quantity->setItemText(b, QStringLiteral("5")); // kept, but not shown while hidden
    EXPECT_EQ(table->itemText(1, 2), QStringLiteral("20"));

    QStringList handed;
    owner.onEvent = [&](int event, int id, int column, const QString &key, void *data) {
        if (event == EVT_TABLE_LINEEDIT_CHANGED)
            handed << QStringLiteral("%1/%2 ").arg(id).arg(column) + key + '='
                    + *static_cast<QString *>(data);
    };
    click(b, 2); // not an input
    EXPECT_EQ(table->editor(), nullptr);
    click(a, 2);
    ASSERT_NE(table->editor(), nullptr);
    EXPECT_EQ(table->editor()->text(), QStringLiteral("0"));
    table->editor()->selectAll();
    type(table->editor(), QStringLiteral("-5x00"));
    pressKey(table->editor(), Qt::Key_Return);
    EXPECT_EQ(handed, QStringList { QStringLiteral("4/2 SH|019547=500") });
    EXPECT_EQ(quantity->itemText(a), QStringLiteral("500"));

    // The same text again is no change; a row gone while editing gets nothing.
    ASSERT_TRUE(quantity->editItem(a));
    pressKey(table->editor(), Qt::Key_Return);
    ASSERT_TRUE(quantity->editItem(a));
    table->editor()->setText(QStringLiteral("7"));
    model->removeDataByKey(a);
    table->closeEditor(true);
    EXPECT_EQ(handed.size(), 1);
}

} // namespace
