#include "xp/COddEvenRowTable.h"
#include "xp/DefaultStyle.h"
#include "xp/TableLayoutStore.h"
#include "xp/TextWidth.h"

#include <QApplication>
#include <QStyleOptionSlider>
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

} // namespace
