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

QRect barPart(int value, int maximum, int page, QStyle::SubControl part)
{
    QStyleOptionSlider bar;
    bar.orientation = Qt::Vertical;
    bar.rect = QRect(0, 0, 10, 200);
    bar.maximum = maximum;
    bar.pageStep = page;
    bar.sliderPosition = bar.sliderValue = value;
    return qApp->style()->subControlRect(QStyle::CC_ScrollBar, &bar, part);
}

// Slim scroll bars without arrows whose handle stays grabbable; tables in the theme's colours.
TEST(DefaultStyle, scrollBarsAndTablesLookAsTheThemeSays)
{
    applyDefaultStyle(qApp);
    EXPECT_EQ(qApp->style()->pixelMetric(QStyle::PM_ScrollBarExtent), 10);
    EXPECT_FALSE(barPart(0, 100, 100, QStyle::SC_ScrollBarAddLine).isValid());
    EXPECT_EQ(barPart(300, 300, 100, QStyle::SC_ScrollBarSlider), QRect(0, 150, 10, 50));
    EXPECT_EQ(barPart(0, 100000, 10, QStyle::SC_ScrollBarSlider).height(), 20);

    CUiResource *res = uiResource();
    QTableView view;
    view.ensurePolished();
    EXPECT_EQ(view.palette().color(QPalette::Base), *res->getColor("clr_table_background"));
    EXPECT_EQ(view.palette().color(QPalette::AlternateBase),
              *res->getColor("clr_table_background2"));
    EXPECT_EQ(QColor::fromRgba(QRgb(qApp->style()->styleHint(QStyle::SH_Table_GridLineColor))),
              *res->getColor("clr_edit_border"));

    // Remembered widths belong to the font they were measured in.
    QFont normal = *res->getFont("fnt_default_normal_fix");
    QFont big = normal;
    big.setPixelSize(normal.pixelSize() + 6);
    const QString text = QStringLiteral("晨岭稳健债券基金");
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(textWidth(normal, text), QFontMetrics(normal).horizontalAdvance(text));
        EXPECT_EQ(textWidth(big, text), QFontMetrics(big).horizontalAdvance(text));
    }
}

TEST(DefaultStyle, aTableFilledWhileHiddenFitsItsColumnsWhenShownAndKeepsNoLayoutForIt)
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
    table->setItemText(row, 1, longName);
    table->flush();
    page.resize(800, 300);
    page.show();
    table->resize(800, 300);
    QApplication::processEvents();
    EXPECT_GE(table->columnWidth(1), textWidth(table->font(), longName));
    EXPECT_TRUE(loadTableLayout(QStringLiteral("fitted")).isEmpty());
}

} // namespace
