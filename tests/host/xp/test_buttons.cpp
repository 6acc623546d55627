#include "EventRecorder.h"
#include "UserInput.h"

#include "xp/CPushButton.h"
#include "xp/CPushButtonGroup.h"
#include "xp/CSimpleTextWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <gtest/gtest.h>

using namespace XP;

namespace {

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

QStringList walk(const QVector<RecordedEvent> &log)
{
    QStringList names;
    for (const RecordedEvent &e : log)
        names << e.who;
    return names;
}

// root <- plain QWidget <- middle <- sender.
struct Tree
{
    QVector<RecordedEvent> log;
    EventRecorder root { QStringLiteral("root"), nullptr, &log };
    QWidget *gap = new QWidget(&root);
    EventRecorder *middle = new EventRecorder(QStringLiteral("middle"), gap, &log);
    EventRecorder *sender = new EventRecorder(QStringLiteral("sender"), middle, &log);
};

TEST(EventDelivery, walksFromTheSenderUpThroughEveryDelivererUntilOneConsumes)
{
    Tree t;
    int payload = 42;
    EXPECT_FALSE(t.sender->deliverEvent(1291, 1, 2, QStringLiteral("k"), &payload));
    EXPECT_EQ(walk(t.log), QStringList({ "sender", "middle", "root" }));
    for (const RecordedEvent &e : t.log) {
        EXPECT_EQ(e.event, 1291);
        EXPECT_EQ(e.a, 1);
        EXPECT_EQ(e.b, 2);
        EXPECT_EQ(e.text, QStringLiteral("k"));
        EXPECT_EQ(e.data, &payload);
    }

    // A deliverer that consumes the event ends the walk.
    t.log.clear();
    t.middle->consumes << 1291;
    EXPECT_TRUE(t.sender->deliverEvent(1291));
    EXPECT_EQ(walk(t.log), QStringList({ "sender", "middle" }));

    // A reparented sender bubbles through its new ancestors.
    t.log.clear();
    EventRecorder other(QStringLiteral("other"), nullptr, &t.log);
    t.sender->setParent(&other);
    t.sender->deliverEvent(5);
    EXPECT_EQ(walk(t.log), QStringList({ "sender", "other" }));
}

} // namespace
