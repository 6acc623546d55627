#include "EventRecorder.h"
#include "UserInput.h"

#include "tc/COperationPushButtonGroup.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace XP;

namespace {

// Buttons and clickable texts deliver their id once per click; disabled
// buttons and plain labels deliver nothing.
TEST(PushButton, clickDeliversItsIdOnceUnlessDisabled)
{
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *order = new CSmallNormalButton(1001, true, NBT_BUY, &page);
    auto *refresh = new CSmallNoNormalButton(1, false, &page);
    auto *sell = new CSmallNormalButton(3, true, NBT_SELL, &page);
    sell->setEnabled(false);
    order->click();
    refresh->click();
    sell->click();
    ASSERT_EQ(page.count(EVT_BUTTON_CHECKED), 2);
    EXPECT_EQ(page.log().at(0).a, 1001);
    EXPECT_EQ(page.log().at(1).a, 1);

    auto *label = new CSimpleTextWidget(QStringLiteral("  回购合约信息"), &page);
    auto *link = new CSimpleTextWidget(true, 2004, QStringLiteral("3"), &page);
    label->resize(100, 22);
    link->resize(40, 22);
    clickAt(label, QPoint(5, 5));
    EXPECT_EQ(page.count(EVT_TEXT_CLICKED), 0);
    clickAt(link, QPoint(5, 5));
    ASSERT_EQ(page.count(EVT_TEXT_CLICKED), 1);
    EXPECT_EQ(page.log().last().a, 2004);
    EXPECT_EQ(page.log().last().text, QStringLiteral("3"));
    EXPECT_EQ(link->colorKey(), QStringLiteral("clr_clickable_simple_text"));
}

TEST(PushButton, textColourFollowsTheState)
{
    CPushButton tab(QStringLiteral("tc_img_btn_left_tab_top"), 2, 3, 18, 3, 56, nullptr);
    tab.setTextColor("clr_text_left_tab_inactive", "clr_text_left_tab_inactive",
                     "clr_text_left_tab_active", "clr_text_left_tab_inactive");
    tab.setCheckable(true);
    const QColor inactive = *uiResource()->getColor("clr_text_left_tab_inactive");
    const QColor active = *uiResource()->getColor("clr_text_left_tab_active");
    ASSERT_NE(inactive, active);
    EXPECT_EQ(tab.currentTextColor(), inactive);
    tab.setChecked(true);
    EXPECT_EQ(tab.currentTextColor(), active);
    tab.setEnabled(false);
    EXPECT_EQ(tab.currentTextColor(), inactive);
}

TEST(PushButton, verticalTextStacksTheCharacters)
{
    CPushButton tab(QStringLiteral("协议回购"), 2, nullptr);
    const QSize horizontal = tab.sizeHint();
    tab.setHorizontalText(false);
    const QSize vertical = tab.sizeHint();
    EXPECT_GT(vertical.height(), 3 * QFontMetrics(tab.font()).height());
    EXPECT_LT(vertical.width(), horizontal.width());
}

TEST(PushButton, nineImageKeepsCornersAndStretchesTheCentre)
{
    // A 30x30 image: 10-pixel red corners, green edges, a blue centre.
    QImage img(30, 30, QImage::Format_ARGB32);
    img.fill(Qt::green);
    QPainter p(&img);
    for (QPoint corner : { QPoint(0, 0), QPoint(20, 0), QPoint(0, 20), QPoint(20, 20) })
        p.fillRect(QRect(corner, QSize(10, 10)), Qt::red);
    p.fillRect(QRect(10, 10, 10, 10), Qt::blue);
    p.end();
    uiResource()->setImage("test_img_ninepatch", QPixmap::fromImage(img));

    CPushButton button(QStringLiteral("test_img_ninepatch"), 1, 10, 10, 10, 10, nullptr);
    button.resize(100, 60);
    const QImage shot = button.grab().toImage();
    // Corners keep their 10 pixels, edges stretch along, the centre begins after the corner.
    const std::pair<QPoint, Qt::GlobalColor> expected[]
        = { { { 2, 2 }, Qt::red },    { { 97, 57 }, Qt::red },  { { 9, 9 }, Qt::red },
            { { 90, 0 }, Qt::red },   { { 50, 2 }, Qt::green }, { { 2, 30 }, Qt::green },
            { { 10, 0 }, Qt::green }, { { 89, 0 }, Qt::green }, { { 10, 10 }, Qt::blue },
            { { 84, 44 }, Qt::blue } };
    for (const auto &e : expected)
        EXPECT_EQ(shot.pixelColor(e.first), QColor(e.second)) << e.first.x() << ',' << e.first.y();
}

TEST(PushButtonGroup, userClickChecksAndDeliversButCheckingByIdIsSilent)
{
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *group = new CPushButtonGroup(Qt::Horizontal, 0, "clr_order_operation_background", &page);
    auto *a = new CPushButton(QStringLiteral("意向申报"), 1000, group);
    auto *b = new CPushButton(QStringLiteral("成交申报"), 1001, group);
    group->addPushButton(a, true);
    group->addPushButton(b, true);
    EXPECT_EQ(group->checkedId(), -1);

    b->click();
    ASSERT_EQ(page.count(EVT_BUTTON_CHECKED), 1);
    EXPECT_EQ(page.log().last().a, 1001);
    EXPECT_EQ(group->checkedButton(), b);
    a->click();
    EXPECT_EQ(group->checkedId(), 1000);
    EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(page.count(EVT_BUTTON_CHECKED), 2);

    EXPECT_TRUE(group->setCheckedByID(1001));
    EXPECT_FALSE(group->setCheckedByID(9));
    EXPECT_EQ(group->checkedId(), 1001);
    EXPECT_EQ(page.count(EVT_BUTTON_CHECKED), 2);
}

TEST(PushButtonGroup, modeTabsPackFromTheTopWithTheirMargins)
{
    TC::COperationPushButtonGroup tabs(Qt::Vertical, 0, 5, false, nullptr);
    tabs.addFixedSpace(10);
    auto *tab = new CPushButton(QStringLiteral("tc_img_btn_left_tab_top"), 1, 3, 18, 3, 56, &tabs);
    tab->setFixedHeight(80);
    tabs.addPushButton(tab, false);
    tabs.setFixedWidth(24);
    tabs.resize(24, 400);
    tabs.show();
    QApplication::processEvents();
    EXPECT_EQ(tab->geometry(), QRect(0, 15, 24, 80));
}

} // namespace
