#include "EventRecorder.h"

#include "xp/CPushButton.h"
#include "xp/WidgetEvents.h"

#include <gtest/gtest.h>

namespace {

QStringList walk(const QVector<RecordedEvent> &log)
{
    QStringList names;
    for (const RecordedEvent &e : log)
        names << e.who;
    return names;
}

// root <- plain QWidget <- middle <- sender, with a plain button under a plain
// widget under the middle recorder.
struct Tree
{
    QVector<RecordedEvent> log;
    EventRecorder root { QStringLiteral("root"), nullptr, &log };
    QWidget *gap = new QWidget(&root);
    EventRecorder *middle = new EventRecorder(QStringLiteral("middle"), gap, &log);
    EventRecorder *sender = new EventRecorder(QStringLiteral("sender"), middle, &log);
    QWidget *plain = new QWidget(middle);
    XP::CPushButton *button = new XP::CPushButton(QStringLiteral("刷新"), 7, plain);
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

TEST(EventDelivery, plainControlsStartAtTheirNearestDeliverer)
{
    Tree t;
    t.button->click();
    EXPECT_EQ(walk(t.log), QStringList({ "middle", "root" }));
    ASSERT_FALSE(t.log.isEmpty());
    EXPECT_EQ(t.log.first().event, XP::EVT_BUTTON_CHECKED);
    EXPECT_EQ(t.log.first().a, 7);

    QWidget orphan; // outside any deliverer: reaches nobody
    EXPECT_EQ(XP::CEventDeliverer::nearestDeliverer(&orphan), nullptr);
    EXPECT_FALSE(XP::CEventDeliverer::deliverEventFrom(&orphan, 5, 1));
    EXPECT_FALSE(XP::CEventDeliverer::deliverEventFrom(nullptr, 5, 1));
}

} // namespace
