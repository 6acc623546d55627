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
#include <gtest/gtest.h>

using namespace XP;

namespace {

// Every theme key the panels name.
const QStringList kColors
    = QStringLiteral("clr_basket_param_buy_btn_disable clr_basket_param_buy_btn_hover "
                     "clr_basket_param_buy_btn_nomal clr_basket_param_buy_btn_press "
                     "clr_basket_param_sell_btn_disable clr_basket_param_sell_btn_hover "
                     "clr_basket_param_sell_btn_nomal clr_basket_param_sell_btn_press "
                     "clr_clickable_simple_text clr_disable_color clr_operation_frame_line_color "
                     "clr_order_operation_background clr_param_table_order_mode_active "
                     "clr_param_table_order_mode_inactive clr_table_background "
                     "clr_table_background2 clr_table_pledge_bond_background clr_text_default "
                     "clr_text_left_tab_active clr_text_left_tab_inactive")
          .split(QLatin1Char(' '));
const QStringList kFonts
    = QStringLiteral(
          "fnt_default_normal_fix tc_fnt_operation_btn_text_option tc_fnt_operation_btn_text_price "
          "tc_fnt_operation_btn_text_volume")
          .split(QLatin1Char(' '));
const QStringList kSizes
    = QStringLiteral("tc_siz_operation_tab_width tc_siz_operation_panel_accounts_min_height "
                     "tc_siz_operation_panel_accounts_min_width")
          .split(QLatin1Char(' '));
const QStringList kImages
    = QStringLiteral(
          "ic_img_homepage_runtrade_setting tc_img_btn_left_tab_mode tc_img_btn_left_tab_top")
          .split(QLatin1Char(' '));

TEST(Theme, everyKeyThePanelsNameResolves)
{
    CUiResource *res = uiResource();
    for (const QString &k : kColors)
        EXPECT_TRUE(res->hasColor(k)) << k.toStdString();
    for (const QString &k : kFonts)
        EXPECT_TRUE(res->hasFont(k)) << k.toStdString();
    for (const QString &k : kSizes)
        EXPECT_GT(res->getSize(k), 0) << k.toStdString();
    for (const QString &k : kImages)
        EXPECT_FALSE(res->getImage(k).isNull()) << k.toStdString();
}

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

} // namespace
