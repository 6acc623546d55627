#include "xp/CAutoExpandToolBar.h"
#include "xp/COddEvenRowTable.h"
#include "xp/CUiResource.h"
#include "xp/DefaultStyle.h"
#include "xp/TableLayoutStore.h"
#include "xp/TextWidth.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyleOptionSlider>
#include <QTableView>
#include <gtest/gtest.h>

using namespace XP;

namespace {

class DefaultStyleTest : public ::testing::Test
{
protected:
    void SetUp() override { applyDefaultStyle(qApp); }

    static QRect barPart(int value, int maximum, int page, QStyle::SubControl part)
    {
        QStyleOptionSlider bar;
        bar.orientation = Qt::Vertical;
        bar.rect = QRect(0, 0, 10, 200);
        bar.minimum = 0;
        bar.maximum = maximum;
        bar.pageStep = page;
        bar.sliderPosition = bar.sliderValue = value;
        return qApp->style()->subControlRect(QStyle::CC_ScrollBar, &bar, part);
    }
};

TEST_F(DefaultStyleTest, scrollBarsAreSlimHaveNoArrowsAndTheHandleSpansTheWholeBar)
{
    EXPECT_EQ(qApp->style()->pixelMetric(QStyle::PM_ScrollBarExtent), 10);
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    EXPECT_FALSE(barPart(0, 100, 100, QStyle::SC_ScrollBarAddLine).isValid());
    EXPECT_FALSE(barPart(0, 100, 100, QStyle::SC_ScrollBarSubLine).isValid());
    // A page of 100 in a range of 300 lines: a quarter of the bar.
    EXPECT_EQ(barPart(0, 300, 100, QStyle::SC_ScrollBarSlider), QRect(0, 0, 10, 50));
    EXPECT_EQ(barPart(300, 300, 100, QStyle::SC_ScrollBarSlider), QRect(0, 150, 10, 50));
    EXPECT_EQ(barPart(150, 300, 100, QStyle::SC_ScrollBarAddPage), QRect(0, 125, 10, 75));
    // A long list keeps a handle a trader can grab; nothing to scroll fills the bar.
    EXPECT_EQ(barPart(0, 100000, 10, QStyle::SC_ScrollBarSlider).height(), 20);
    EXPECT_EQ(barPart(0, 0, 10, QStyle::SC_ScrollBarSlider).height(), 200);
}

TEST_F(DefaultStyleTest, tablesTakeTheThemesGroundAndGridColours)
{
    CUiResource *res = uiResource();
    QTableView view;
    view.ensurePolished(); // a widget takes its class's palette when polished
    EXPECT_EQ(view.palette().color(QPalette::Base), *res->getColor("clr_table_background"));
    EXPECT_EQ(view.palette().color(QPalette::AlternateBase),
              *res->getColor("clr_table_background2"));
    EXPECT_EQ(QColor::fromRgba(QRgb(qApp->style()->styleHint(QStyle::SH_Table_GridLineColor))),
              *res->getColor("clr_edit_border"));
}

TEST_F(DefaultStyleTest, textWidthsAreThoseOfTheFontTheyAreAskedFor)
{
    QFont normal = *uiResource()->getFont("fnt_default_normal_fix");
    QFont big = normal;
    big.setPixelSize(normal.pixelSize() + 6);
    for (const QString &text : { QStringLiteral("晨岭稳健债券基金"), QStringLiteral("20000000.000"),
                                 QStringLiteral("HT2026120030") }) {
        SCOPED_TRACE(text.toStdString());
        for (int round = 0; round < 2; ++round) { // measured, then remembered
            EXPECT_EQ(textWidth(normal, text), QFontMetrics(normal).horizontalAdvance(text));
            EXPECT_EQ(textWidth(big, text), QFontMetrics(big).horizontalAdvance(text));
        }
    }
    EXPECT_EQ(textWidth(normal, QString()), 0);
}

TEST_F(DefaultStyleTest, aTableFilledWhileHiddenFitsItsColumnsWhenShownAndKeepsNoLayoutForIt)
{
    resetTableLayouts();
    QWidget page;
    auto *table = new COddEvenRowTable(0, &page, 0);
    table->setFlag(TF_SAVE_LAYOUT);
    table->setLayoutKey(QStringLiteral("fitted"));
    table->setColumnCount(2);
    table->setHeaderTexts({ QStringLiteral("账户"), QStringLiteral("名称") });
    const QString longName = QStringLiteral("晨岭稳健债券基金晨岭稳健债券基金");
    const int row = table->appendRow();
    table->setItemText(row, 0, QStringLiteral("880001"));
    table->setItemText(row, 1, longName);
    table->flush();
    page.resize(800, 300);
    page.show();
    table->resize(800, 300);
    QApplication::processEvents();
    EXPECT_GE(table->columnWidth(1), textWidth(table->font(), longName));
    // Widths the table works out are not the trader's: nothing is saved.
    EXPECT_TRUE(loadTableLayout(QStringLiteral("fitted")).isEmpty());
}

TEST_F(DefaultStyleTest, toolItemsAddedWhileHiddenArePlacedWhenShownAgain)
{
    QWidget page;
    auto *bar = new CAutoExpandToolBar(&page, -1);
    bar->resize(400, 24);
    page.show();
    page.hide();
    auto *first = new QWidget;
    first->setFixedSize(140, 20);
    auto *second = new QWidget;
    second->setFixedSize(35, 20);
    bar->addToolItem(first, false);
    bar->addToolItem(second, false);
    page.show();
    EXPECT_EQ(first->geometry(), QRect(2, 2, 140, 20));
    EXPECT_EQ(second->geometry(), QRect(2 + 140 + 4, 2, 35, 20));
}

} // namespace
