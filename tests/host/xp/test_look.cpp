#include "EventRecorder.h"

#include "tc/COperationPushButtonGroup.h"
#include "xp/CAutoKeyboardLineEdit.h"
#include "xp/CComboBox.h"
#include "xp/CFrameSplitterLine.h"
#include "xp/CLineEdit.h"
#include "xp/CMessageTip.h"
#include "xp/CParameterCell.h"
#include "xp/CPortfolioSearchModel.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CUiResource.h"
#include "xp/CWidgetList.h"
#include "xp/DefaultStyle.h"

#include <QApplication>
#include <QStyleOptionSlider>
#include <gtest/gtest.h>

using namespace XP;

namespace {

// Widgets that name a theme key the theme lacks would paint in a fallback colour.
TEST(Theme, toolkitWidgetsAndTheStyleUseOnlyKnownKeys)
{
    CUiResource *res = uiResource();
    res->clearMissingKeys();
    applyDefaultStyle(qApp);

    CPortfolioSearchModel model;
    model.init({ QStringLiteral("100001 澄湖银行") });
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *list = new CWidgetList(Qt::Vertical, &page);
    auto *tabs = new TC::COperationPushButtonGroup(Qt::Vertical, 0, 5, true, list);
    auto *tab = new CPushButton(QStringLiteral("tc_img_btn_left_tab_mode"), 3, 3, 18, 3, 56, tabs);
    tab->setText(QStringLiteral("现券交易"));
    tab->setHorizontalText(false);
    tabs->addPushButton(tab, false);
    auto *ops = new CPushButtonGroup(Qt::Horizontal, 0, "clr_order_operation_background", list);
    ops->addPushButton(new CPushButton(QStringLiteral("意向申报"), 1000, ops), true);
    auto *cell = new CParameterCell(3, QStringLiteral("回购金额"), QStringLiteral("元"), list);
    auto *edit = new CLineEdit(9, list, true);
    auto *combo = new CComboBox(0, list);
    combo->addItem(QStringLiteral("A1"));
    auto *dealer = new CAutoKeyboardLineEdit(&model, 12, list, true);
    dealer->setEmptyHint("clr_disable_color", "fnt_default_normal_fix");
    for (QWidget *w : QList<QWidget *> {
             tabs, ops, cell, edit, combo, dealer, new CSmallNormalButton(0, true, NBT_BUY, list),
             new CSmallNormalButton(1, true, NBT_PRIMARY, list),
             new CSmallNoNormalButton(1, true, list),
             new CSimpleTextWidget(true, 4, QStringLiteral("3"), list),
             new CFrameSplitterLine("clr_operation_frame_line_color", list) })
        list->addFixedWidget(w, 3, false);
    page.setInnerStretchWidget(list, 0, 0, 0, 0);
    page.resize(400, 600);
    page.grab(); // paints everything
    CMessageTip::showTip(edit, Qt::AlignBottom, QStringLiteral("请输入对方交易员!"));
    CMessageTip::hideTip();

    EXPECT_TRUE(res->missingKeys().isEmpty()) << res->missingKeys().join(' ').toStdString();
    qApp->setStyleSheet(QString());
    res->getColor("clr_no_such_key"); // the check above would see it
    EXPECT_EQ(res->missingKeys(), QStringList { "clr_no_such_key" });
    res->clearMissingKeys();
}

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

} // namespace
