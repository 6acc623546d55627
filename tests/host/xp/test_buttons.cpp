#include "EventRecorder.h"

#include "tc/COperationPushButtonGroup.h"
#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CRadioButton.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

using namespace XP;

namespace {

void clickAt(QWidget *w, QPoint pos)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

TEST(PushButton, clickDeliversItsIdOnce)
{
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *order = new CSmallNormalButton(1001, true, NBT_BUY, &page);
    auto *refresh = new CSmallNoNormalButton(1, false, &page);
    order->click();
    refresh->click();
    ASSERT_EQ(page.count(EVT_BUTTON_CHECKED), 2);
    EXPECT_EQ(page.log().at(0).a, 1001);
    EXPECT_EQ(page.log().at(1).a, 1);
}

TEST(PushButton, disabledButtonDeliversNothing)
{
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *order = new CSmallNormalButton(3, true, NBT_SELL, &page);
    order->setEnabled(false);
    order->click();
    EXPECT_EQ(page.count(EVT_BUTTON_CHECKED), 0);
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
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(97, 57), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(50, 2), QColor(Qt::green)); // top edge, stretched
    EXPECT_EQ(shot.pixelColor(2, 30), QColor(Qt::green)); // left edge, stretched
    EXPECT_EQ(shot.pixelColor(9, 9), QColor(Qt::red)); // corners keep their 10 pixels
    EXPECT_EQ(shot.pixelColor(10, 0), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(89, 0), QColor(Qt::green));
    EXPECT_EQ(shot.pixelColor(90, 0), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::blue)); // centre begins after the corner
    EXPECT_EQ(shot.pixelColor(84, 44), QColor(Qt::blue));
}

TEST(PushButtonGroup, userClickChecksAndDeliversFromTheGroupOnly)
{
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *group = new CPushButtonGroup(Qt::Horizontal, 0, "clr_order_operation_background", &page);
    auto *a = new CPushButton(QStringLiteral("意向申报"), 1000, group);
    auto *b = new CPushButton(QStringLiteral("成交申报"), 1001, group);
    group->addPushButton(a, true);
    group->addPushButton(b, true);

    b->click();
    ASSERT_EQ(page.count(EVT_BUTTON_CHECKED), 1);
    EXPECT_EQ(page.log().last().a, 1001);
    EXPECT_EQ(group->checkedId(), 1001);
    EXPECT_EQ(group->checkedButton(), b);

    a->click();
    EXPECT_EQ(group->checkedId(), 1000);
    EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(page.count(EVT_BUTTON_CHECKED), 2);
}

TEST(PushButtonGroup, setCheckedByIdIsSilent)
{
    EventRecorder page(QStringLiteral("page"), nullptr);
    auto *group = new CPushButtonGroup(Qt::Vertical, 0, QString(), &page);
    for (int id : { 1, 2, 3 })
        group->addPushButton(new CPushButton(QString::number(id), id, group), false);
    EXPECT_EQ(group->checkedId(), -1);
    EXPECT_EQ(group->checkedButton(), nullptr);
    EXPECT_TRUE(group->setCheckedByID(3));
    EXPECT_FALSE(group->setCheckedByID(9));
    EXPECT_EQ(group->checkedId(), 3);
    EXPECT_EQ(page.count(EVT_BUTTON_CHECKED), 0);
    EXPECT_EQ(group->button(2)->id(), 2);
    EXPECT_EQ(group->buttons().size(), 3);
    EXPECT_EQ(group->buttons().at(0)->id(), 1);
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

TEST(RadioButton, clickDeliversRadioEvent)
{
    EventRecorder table(QStringLiteral("table"), nullptr);
    auto *first = new CRadioButton(QString(), 1000, &table);
    auto *second = new CRadioButton(QString(), 2000, &table);
    first->click();
    second->click();
    EXPECT_FALSE(first->isChecked());
    ASSERT_EQ(table.count(EVT_RADIO_CLICKED), 2);
    EXPECT_EQ(table.log().last().a, 2000);
}

TEST(SimpleTextWidget, onlyClickableTextDeliversClicks)
{
    EventRecorder table(QStringLiteral("table"), nullptr);
    auto *label = new CSimpleTextWidget(QStringLiteral("  回购合约信息"), &table);
    auto *link = new CSimpleTextWidget(true, 2004, QStringLiteral("3"), &table);
    label->resize(100, 22);
    link->resize(40, 22);
    clickAt(label, QPoint(5, 5));
    EXPECT_EQ(table.count(EVT_TEXT_CLICKED), 0);
    clickAt(link, QPoint(5, 5));
    ASSERT_EQ(table.count(EVT_TEXT_CLICKED), 1);
    EXPECT_EQ(table.log().last().a, 2004);
    EXPECT_EQ(table.log().last().text, QStringLiteral("3"));
    EXPECT_EQ(link->colorKey(), QStringLiteral("clr_clickable_simple_text"));
}

} // namespace
