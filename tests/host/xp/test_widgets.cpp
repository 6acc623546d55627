#include "EventRecorder.h"
#include "QtPrinters.h"

#include "xp/CAutoExpandToolBar.h"
#include "xp/CPushButton.h"
#include "xp/CUiResource.h"
#include "xp/CWidgetList.h"
#include "xp/WidgetEvents.h"

#include <QApplication>
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
    for (const RecordedEvent &e : t.log) // each deliverer sees the event as it was sent
        EXPECT_TRUE(e.event == 1291 && e.a == 1 && e.b == 2 && e.text == "k" && e.data == &payload)
            << e.who.toStdString();

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

TEST(WidgetList, fixedWidgetsKeepTheirLengthStretchOnesShareTheRestCentredOnesSitMidway)
{
    CWidgetList row(Qt::Horizontal);
    row.setMargins(2, 0, 2, 0);
    row.setSpacing(5);
    auto *label = new QWidget(&row);
    label->setFixedWidth(60);
    auto *a = new QWidget(&row);
    auto *b = new QWidget(&row);
    row.addFixedWidget(label, CWidgetList::ANCHOR_FILL, false);
    row.addStretchWidget(a, 1, CWidgetList::ANCHOR_FILL, false);
    row.addStretchWidget(b, 3, CWidgetList::ANCHOR_FILL, false);
    row.resize(300, 22);
    row.show();
    QApplication::processEvents();

    EXPECT_EQ(label->geometry(), QRect(2, 0, 60, 22));
    // 300 - 4 margins - 60 - 2 * 5 spacing = 226 shared 1:3
    EXPECT_NEAR(a->width(), 226 / 4, 1);
    EXPECT_NEAR(b->width(), 226 * 3 / 4, 1);
    EXPECT_EQ(b->geometry().right(), 297);

    CWidgetList column(Qt::Vertical); // a centred widget keeps its width in the middle
    auto *centred = new QWidget(&column);
    centred->setFixedWidth(40);
    column.addFixedWidget(centred, CWidgetList::ANCHOR_CENTER, false);
    column.resize(200, 100);
    column.show();
    QApplication::processEvents();
    EXPECT_EQ(centred->x(), 80);
}

// A fixed-size tool added to the bar.
QWidget *addTool(CAutoExpandToolBar &bar, int w, int h)
{
    auto *t = new QWidget(&bar);
    t->setFixedSize(w, h);
    bar.addToolItem(t, false);
    return t;
}

TEST(AutoExpandToolBar, itemsWrapUpToTheLineCapAndExpandingItemsFillTheirLine)
{
    CAutoExpandToolBar free(nullptr, -1);
    addTool(free, 140, 20);
    free.addSeperator();
    QWidget *remove = addTool(free, 35, 20);
    free.show();
    free.resize(160, 24);
    EXPECT_EQ(free.lineCount(), 2);
    EXPECT_EQ(free.height(), 2 + 20 + 4 + 20 + 2);
    EXPECT_EQ(remove->pos(), QPoint(2, 2 + 20 + 4));
    // What is added while the bar is hidden is placed once it is shown again.
    free.hide();
    QWidget *late = addTool(free, 35, 20);
    free.show();
    EXPECT_EQ(late->pos(), QPoint(2 + 35 + 4, 2 + 20 + 4));

    CAutoExpandToolBar bar(nullptr, 1);
    addTool(bar, 100, 20);
    QWidget *b = addTool(bar, 100, 20);
    bar.show();
    bar.resize(150, 24);
    EXPECT_EQ(bar.lineCount(), 1);
    EXPECT_FALSE(b->isVisibleTo(&bar));
    EXPECT_EQ(bar.height(), 24);
    bar.resize(2 + 100 + 4 + 100 + 2, 24); // both just fit beside each other
    EXPECT_TRUE(b->isVisibleTo(&bar));

    CAutoExpandToolBar wide(nullptr, -1);
    QWidget *search = new QWidget(&wide);
    search->setMinimumSize(50, 20);
    wide.addToolItem(search, true);
    wide.show();
    wide.resize(300, 24);
    EXPECT_EQ(search->geometry().right(), 297);
}

} // namespace
