#include "EventRecorder.h"
#include "TableInput.h"

#include "xp/CButtonListCell.h"
#include "xp/CComboBoxCell.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CRadioButton.h"
#include "xp/CSimpleTextCell.h"
#include "xp/CTableCellEdit.h"
#include "xp/CTableView.h"
#include "xp/NumberFormat.h"
#include "xp/TableLayoutStore.h"
#include "xp/WidgetEvents.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextCodec>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

using namespace XP;

namespace {

struct TableTest : ::testing::Test
{
    void TearDown() override { resetTableLayouts(); }

    // A table of `columns` columns inside an owner that records what it delivers.
    COddEvenRowTable *ownedTable(int columns)
    {
        owner.resize(600, 300);
        auto *table = new COddEvenRowTable(0, &owner, 0x1FF);
        table->resize(600, 300);
        table->setColumnCount(columns);
        return table;
    }

    static std::vector<int> shownIds(const COddEvenRowTable &table)
    {
        std::vector<int> ids;
        for (int index = 0; index < table.shownRowCount(); ++index)
            ids.push_back(table.rowID(index));
        return ids;
    }

    EventRecorder owner { QStringLiteral("owner"), nullptr };
};

TEST_F(TableTest, cellsShowTheirNumbersFormatted)
{
    COddEvenRowTable table(0, nullptr, 0);
    table.setColumnCount(8);
    const int row = table.appendRow();
    for (int column = 0; column < 8; ++column) // a number written over a text replaces it
        table.setItemText(row, column, QStringLiteral("before"));
    table.setItemText(row, 0, QStringLiteral("国债1901"));
    table.setItemText(row, 1, QStringLiteral("1,250.5"));
    table.setItemDouble(row, 2, 1234.5, 2, NF_NONE);
    table.setItemDouble(row, 3, 2.675, 2, NF_NONE);
    table.setItemDouble(row, 4, 1234567.891, 3, NF_THOUSANDS);
    table.setItemInt(row, 5, -42, NF_NONE);
    table.setItemInt(row, 6, INT_MAX, NF_NONE); // the host's unset integer
    table.setItemDouble(row, 7, std::numeric_limits<double>::quiet_NaN(), 2, NF_NONE);
    const QStringList shown { "国债1901",      "1,250.5", "1234.50", "2.68",
                              "1,234,567.891", "-42",     "",        "非法值" };
    const double values[] = { 0.0, 1250.5, 1234.5, 2.675, 1234567.891, -42.0, double(INT_MAX) };
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(table.itemText(row, column), shown.at(column)) << column;
    for (int column = 0; column < 7; ++column)
        EXPECT_DOUBLE_EQ(table.itemDouble(row, column), values[column]) << column;
    EXPECT_TRUE(std::isnan(table.itemDouble(row, 7)));
}

TEST_F(TableTest, sortingComparesNumbersAsNumbersAndKeepsTheSelection)
{
    COddEvenRowTable table(0, nullptr, 0x1FF);
    table.setColumnCount(3);
    const std::tuple<const char *, double, int> rows[] = {
        { "10", 10.0, 20260301 },
        { "9", std::numeric_limits<double>::quiet_NaN(), 20251231 },
        { "b", 100.0, 20260115 },
        { "abc", 9.5, 20260201 },
    };
    for (const auto &[text, number, date] : rows) {
        const int row = table.appendRow();
        table.setItemText(row, 0, QString::fromUtf8(text));
        table.setItemDouble(row, 1, number, 2, NF_NONE);
        table.setItemInt(row, 2, date, NF_NONE);
    }
    table.setSelectedRowIndex(2);

    const std::tuple<int, Qt::SortOrder, std::vector<int>> sorts[] = {
        { 0, Qt::AscendingOrder, { 1, 0, 3, 2 } }, // "9" < "10" < "abc" < "b"
        { 0, Qt::DescendingOrder, { 2, 3, 0, 1 } },
        { 1, Qt::AscendingOrder, { 3, 0, 2, 1 } }, // the invalid number last
        { 2, Qt::AscendingOrder, { 1, 2, 3, 0 } },
        { 2, Qt::DescendingOrder, { 0, 3, 2, 1 } },
        { -1, Qt::AscendingOrder, { 0, 1, 2, 3 } }, // back to the order of adding
    };
    for (const auto &[column, order, ids] : sorts) {
        table.sortByColumn(column, order);
        EXPECT_EQ(shownIds(table), ids) << column << " " << order;
        for (int index = 0; index < table.shownRowCount(); ++index)
            EXPECT_EQ(table.rowIndex(table.rowID(index)), index);
        EXPECT_EQ(table.rowID(table.selectedRowIndex()), 2); // the selection follows its row
    }

    // Header clicks sort ascending, then toggle.
    for (const auto &ids : { std::vector<int> { 1, 0, 3, 2 }, std::vector<int> { 2, 3, 0, 1 },
                             std::vector<int> { 1, 0, 3, 2 } }) {
        Q_EMIT table.view()->horizontalHeader()->sectionClicked(0);
        EXPECT_EQ(shownIds(table), ids);
    }

    // Rows appended to a sorted table take their place at the next flush.
    table.sortByColumn(1, Qt::AscendingOrder);
    const int added = table.appendRow();
    table.setItemDouble(added, 1, 1.0, 2, NF_NONE);
    table.flush();
    EXPECT_EQ(table.rowID(0), added);
    EXPECT_EQ(table.rowIndex(2), 3);
}

TEST_F(TableTest, columnFilterHidesRowsUntilCleared)
{
    COddEvenRowTable table(0, nullptr, 0x1FF);
    table.setColumnCount(2);
    const char *markets[] = { "SH", "SZ", "SH", "IB" };
    for (const char *market : markets) {
        const int row = table.appendRow();
        table.setItemText(row, 0, QString::fromLatin1(market));
        table.setItemInt(row, 1, 10 - row, NF_NONE);
    }
    table.setSelectedRowIndex(1); // SZ, about to be filtered away
    table.setColumnFilter(0, { QStringLiteral("SH"), QStringLiteral("IB") });
    EXPECT_EQ(table.rowsText(true), QString()) << "the hidden selection is not copied";
    EXPECT_EQ(shownIds(table), (std::vector<int> { 0, 2, 3 }));
    EXPECT_EQ(table.rowIndex(1), -1);
    // Sorting and copying work on what the filter lets through.
    table.sortByColumn(1, Qt::AscendingOrder);
    EXPECT_EQ(shownIds(table), (std::vector<int> { 3, 2, 0 }));
    EXPECT_EQ(table.rowsText(false).indexOf(QStringLiteral("SZ")), -1);

    table.clearFilter();
    EXPECT_EQ(shownIds(table), (std::vector<int> { 3, 2, 1, 0 }));
    // An empty set removes the filter of its column.
    table.setColumnFilter(0, { QStringLiteral("SZ") });
    EXPECT_EQ(shownIds(table), std::vector<int> { 1 });
    table.setColumnFilter(0, {});
    EXPECT_EQ(table.shownRowCount(), 4);
}

// Controls painted in cells deliver their ids when enabled, to the row shown under the click.
TEST_F(TableTest, paintedControlsDeliverTheirEventsWhenEnabled)
{
    COddEvenRowTable *table = ownedTable(2);
    std::vector<CRadioButton *> radios;
    for (int i = 0; i < 3; ++i) {
        const int row = table->appendRow();
        radios.push_back(new CRadioButton(QString(), row * 1000, table));
        table->setItemWidget(row, 0, radios.back(), Qt::AlignCenter);
        table->setItemWidget(
            row, 1,
            new CSimpleTextCell(true, (row + 1) * 1000 + 1, QString::number(row + 2), table),
            Qt::AlignLeft);
    }
    radios[2]->setEnabled(false);
    radios[0]->setChecked(true); // from code: silent
    owner.show();
    table->sortByColumn(1, Qt::DescendingOrder); // rows 2, 1, 0

    clickCell(*table, 0, 0); // disabled
    clickCell(*table, 1, 0);
    EXPECT_EQ(owner.heard(EVT_RADIO_CLICKED), QStringList { "1000 0" });
    EXPECT_TRUE(radios[1]->isChecked());
    EXPECT_FALSE(radios[0]->isChecked() || radios[2]->isChecked());
    clickCell(*table, 0, 1);
    EXPECT_EQ(owner.heard(EVT_TEXT_CLICKED), QStringList { "3001 0 4" });
}

TEST_F(TableTest, keyboardSkipsRowsThatCannotBeSelected)
{
    COddEvenRowTable table(0, nullptr, 0x1FF);
    table.resize(400, 300);
    table.setColumnCount(1);
    for (int i = 0; i < 5; ++i)
        table.setItemInt(table.appendRow(), 0, i, NF_NONE);
    for (const int row : { 1, 2, 4 })
        table.setRowSelectEnable(row, false);
    table.show();
    table.flush();

    clickCell(table, 2, 0); // not selectable: the click leaves the selection
    EXPECT_EQ(table.selectedRow(), -1);
    clickCell(table, 0, 0);
    EXPECT_EQ(table.selectedRow(), 0);
    pressKey(table.view(), Qt::Key_Down);
    EXPECT_EQ(table.selectedRow(), 3);
    pressKey(table.view(), Qt::Key_Down); // nothing selectable below
    EXPECT_EQ(table.selectedRow(), 3);
    pressKey(table.view(), Qt::Key_Up);
    EXPECT_EQ(table.selectedRow(), 0);
}

TEST_F(TableTest, copyTextAndCsvExport)
{
    COddEvenRowTable table(0, nullptr, 0x1FF);
    table.setColumnCount(4);
    table.setHeaderTexts({ QStringLiteral("名称"), QStringLiteral("代码"), QStringLiteral("隐藏"),
                           QStringLiteral("金额") });
    table.setColumnHidden(2, true);
    int row = table.appendRow();
    table.setItemText(row, 0, QStringLiteral("甲,乙"));
    table.setItemText(row, 1, QStringLiteral("00123"));
    table.setItemText(row, 2, QStringLiteral("x"));
    table.setItemDouble(row, 3, 1234.5, 2, NF_NONE);
    row = table.appendRow();
    table.setItemText(row, 0, QStringLiteral("say \"hi\""));
    table.setItemText(row, 1, QStringLiteral("123456789012"));
    table.setItemInt(row, 3, 12, NF_NONE);

    EXPECT_EQ(table.rowsText(false),
              "名称\t代码\t金额\n甲,乙\t00123\t1234.50\nsay \"hi\"\t123456789012\t12\n");
    EXPECT_EQ(table.rowsText(true), QString()); // nothing selected
    table.setSelectedRowIndex(1);
    EXPECT_EQ(table.rowsText(true), "名称\t代码\t金额\nsay \"hi\"\t123456789012\t12\n");

    const QByteArray bytes = table.csvBytes();
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    ASSERT_NE(gbk, nullptr);
    EXPECT_EQ(bytes,
              gbk->fromUnicode(QStringLiteral("名称,代码,金额\r\n"
                                              "\"甲,乙\",=\"00123\",1234.50\r\n"
                                              "\"say \"\"hi\"\"\",=\"123456789012\",12\r\n")));
    // A count a cell control paints is a number to the spreadsheet, leading zero or not.
    table.setItemWidget(1, 1, new CSimpleTextCell(true, 7, QStringLiteral("0012"), &table),
                        Qt::AlignCenter);
    EXPECT_TRUE(table.csvBytes().endsWith("\r\n\"say \"\"hi\"\"\",0012,12\r\n"));
}

TEST_F(TableTest, columnWidthsKeptPerLayoutKeyUnlessSavingIsOff)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("layouts.ini"));
    setTableLayoutFile(file);
    const auto shown = [](const QString &key, bool save) {
        auto table = std::make_unique<COddEvenRowTable>(0, nullptr, 0x1FF);
        if (!save)
            table->setFlag(table->flag() & ~TF_SAVE_LAYOUT);
        table->setLayoutKey(key);
        table->setColumnCount(3);
        table->show();
        return table;
    };
    const QString key = QStringLiteral("page/contracts/0/3");
    {
        const auto table = shown(key, true);
        table->setColumnHidden(2, true);
        table->view()->horizontalHeader()->resizeSection(1, 177);
    }
    // Forget what memory holds: the next table reads the file.
    resetTableLayouts();
    setTableLayoutFile(file);
    const auto again = shown(key, true);
    EXPECT_EQ(again->columnWidth(1), 177);
    EXPECT_TRUE(again->isColumnHidden(2));
    EXPECT_NE(shown(key, false)->columnWidth(1), 177); // saving off: nothing restored either

    const QString dialogKey = QStringLiteral("dialog/0/3");
    shown(dialogKey, false)->view()->horizontalHeader()->resizeSection(1, 211);
    EXPECT_TRUE(loadTableLayout(dialogKey).isEmpty());
    EXPECT_NE(shown(dialogKey, false)->columnWidth(1), 211);
}

} // namespace

// Cell edits go by row id, not display index; Escape and an unchanged text announce nothing.
TEST_F(TableTest, editableCellsDeliverChangedTextsOnly)
{
    COddEvenRowTable *table = ownedTable(3);
    for (int i = 0; i < 3; ++i) {
        const int row = table->appendRow();
        table->setItemText(row, 0, QStringLiteral("王晓%1").arg(row));
        table->setItemEditable(row, 0, true);
    }
    owner.show();
    table->sortByColumn(0, Qt::DescendingOrder);
    QStringList edits;
    owner.onEvent = [&](int event, int, int, const QString &, void *data) {
        const auto *edit = static_cast<CTableCellEdit *>(data);
        if (event == EVT_CELL_EDITED)
            edits << QStringLiteral("%1,%2=%3").arg(edit->row).arg(edit->column).arg(edit->text);
    };
    doubleClickCell(*table, 0, 0); // row 2 shows first
    ASSERT_NE(table->editor(), nullptr);
    EXPECT_EQ(table->editor()->text(), QStringLiteral("王晓2"));
    enter(table->editor(), QStringLiteral("zhao"));
    EXPECT_EQ(table->editor(), nullptr);
    EXPECT_EQ(table->itemText(2, 0), QStringLiteral("zhao"));

    ASSERT_TRUE(table->editItem(1, 0));
    type(table->editor(), QStringLiteral("x"));
    pressKey(table->editor(), Qt::Key_Escape);
    EXPECT_EQ(table->itemText(1, 0), QStringLiteral("王晓1"));
    ASSERT_TRUE(table->editItem(1, 0));
    pressKey(table->editor(), Qt::Key_Return);

    // Leaving the editor confirms; an empty text is a text like any other.
    ASSERT_TRUE(table->editItem(0, 0));
    table->editor()->clear();
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(table->editor(), &leave);
    EXPECT_EQ(edits, (QStringList { "2,0=zhao", "0,0=" }));

    // Rows cut off take their editor and selection with them.
    ASSERT_TRUE(table->editItem(2, 0));
    table->setSelectedRowIndex(table->rowIndex(2));
    table->setRowCount(2);
    EXPECT_EQ(table->editor(), nullptr);
    EXPECT_EQ(table->selectedRow(), -1);
}

TEST_F(TableTest, comboClickPopsUpItsItemsAndAPickDeliversTheChoice)
{
    COddEvenRowTable *table = ownedTable(3);
    table->setColumnWidth(1, 160);
    for (int i = 0; i < 2; ++i) {
        const int row = table->appendRow();
        auto *combo = new CComboBoxCell((row + 1) * 10000 + 1, table);
        combo->addItem(QStringLiteral("机构投资者"), 2);
        combo->addItem(QStringLiteral("个人投资者"), 0);
        combo->addItem(QStringLiteral("会员"), 1);
        combo->setCurrentIndex(0);
        table->setItemWidget(row, 1, combo, Qt::AlignLeft | Qt::AlignVCenter);
    }
    owner.show();
    QVector<QVariant> picked;
    owner.onEvent = [&](int event, int, int, const QString &, void *data) {
        if (event == EVT_COMBO_CHANGED)
            picked.append(*static_cast<QVariant *>(data));
    };
    auto *second = static_cast<CComboBoxCell *>(table->itemControl(1, 1));

    clickCell(*table, 1, 1);
    QMenu *popup = second->popup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->actions().size(), 3);
    EXPECT_TRUE(popup->actions().at(0)->isChecked());
    EXPECT_GE(popup->minimumWidth(), cellRect(*table, 1, 1).width()); // opens under its cell
    popup->actions().at(2)->trigger();
    EXPECT_EQ(owner.heard(EVT_COMBO_CHANGED), QStringList { "20001 2" });
    EXPECT_EQ(picked, QVector<QVariant> { QVariant(1) });
    EXPECT_EQ(second->popup(), nullptr) << "a pick closes the list";
    EXPECT_EQ(table->itemText(1, 1), QStringLiteral("会员"));

    second->choose(2); // the current item: no change
    second->setEnabled(false);
    clickCell(*table, 1, 1);
    EXPECT_EQ(second->popup(), nullptr);
    second->choose(0);
    EXPECT_EQ(second->currentIndex(), 2);
    second->setCurrentIndex(second->findData(7)); // from code: silent
    EXPECT_EQ(table->itemText(1, 1), QString());
    EXPECT_EQ(owner.count(EVT_COMBO_CHANGED), 1);
}

// A click delivers the enabled button under the pointer; activation presses the first enabled.
TEST_F(TableTest, buttonRowDeliversTheIdOfTheEnabledButtonClicked)
{
    COddEvenRowTable *table = ownedTable(3);
    table->setColumnWidth(2, 180);
    for (int i = 0; i < 2; ++i) {
        const int row = table->appendRow();
        auto *buttons = new CButtonListCell(table);
        buttons->addButton((row + 1) * 10000, QStringLiteral("确定"), NBT_BUY);
        buttons->addButton((row + 1) * 10000 + 1, QStringLiteral("拒绝"), NBT_SELL);
        table->setItemWidget(row, 2, buttons, 0x3000);
    }
    owner.show();
    table->flush();
    auto *first = static_cast<CButtonListCell *>(table->itemControl(0, 2));
    auto *second = static_cast<CButtonListCell *>(table->itemControl(1, 2));
    EXPECT_EQ(table->itemText(0, 2), QStringLiteral("确定 拒绝"));
    const QRect cell = cellRect(*table, 1, 2);
    const QRect left = second->buttonRect(0, cell);
    const QRect right = second->buttonRect(1, cell);
    EXPECT_TRUE(cell.contains(left) && cell.contains(right));
    EXPECT_FALSE(left.intersects(right));

    QWidget *viewport = table->view()->viewport();
    clickAt(viewport, right.center());
    clickAt(viewport, left.center());
    second->clickAt(viewport, QPoint(left.right() + 1, left.center().y()), cell); // between
    EXPECT_EQ(owner.heard(EVT_BUTTON_CHECKED), (QStringList { "20001 0", "20000 0" }));

    first->setButtonEnabled(10000, false);
    first->click();
    clickAt(viewport, first->buttonRect(0, cellRect(*table, 0, 2)).center());
    first->setButtonEnabled(10001, false);
    EXPECT_FALSE(first->isClickable());
    first->click();
    second->setEnabled(false);
    clickAt(viewport, left.center());
    EXPECT_EQ(owner.heard(EVT_BUTTON_CHECKED), (QStringList { "20001 0", "20000 0", "10001 0" }));
}
