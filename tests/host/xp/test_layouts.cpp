#include "QtPrinters.h"
#include "xp/CAutoExpandToolBar.h"
#include "xp/CWidgetList.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace XP;

namespace {

QWidget *box(QWidget *parent, QSize hint)
{
    auto *w = new QWidget(parent);
    w->setMinimumSize(hint);
    w->resize(hint);
    return w;
}

void layOut(QWidget &w, QSize size)
{
    w.resize(size);
    w.show();
    QApplication::processEvents();
}

TEST(WidgetList, fixedWidgetsKeepTheirLengthAndStretchWidgetsShareTheRest)
{
    CWidgetList row(Qt::Horizontal);
    row.setMargins(2, 0, 2, 0);
    row.setSpacing(5);
    QWidget *label = box(&row, QSize(60, 10));
    label->setFixedWidth(60);
    QWidget *a = box(&row, QSize(10, 10));
    QWidget *b = box(&row, QSize(10, 10));
    row.addFixedWidget(label, CWidgetList::ANCHOR_FILL, false);
    row.addStretchWidget(a, 1, CWidgetList::ANCHOR_FILL, false);
    row.addStretchWidget(b, 3, CWidgetList::ANCHOR_FILL, false);
    layOut(row, QSize(300, 22));

    EXPECT_EQ(label->geometry(), QRect(2, 0, 60, 22));
    // 300 - 4 margins - 60 - 2 * 5 spacing = 226 shared 1:3
    EXPECT_NEAR(a->width(), 226 / 4, 1);
    EXPECT_NEAR(b->width(), 226 * 3 / 4, 1);
    EXPECT_EQ(b->geometry().right(), 297);
}

QWidget *tool(QWidget *parent, int w, int h)
{
    auto *t = new QWidget(parent);
    t->setFixedSize(w, h);
    return t;
}

// Tools wrap onto new lines when narrow, up to the line cap; the rest is hidden.
TEST(AutoExpandToolBar, itemsWrapUpToTheLineCapAndExpandingItemsFillTheirLine)
{
    CAutoExpandToolBar free(nullptr, -1);
    QWidget *code = tool(&free, 140, 20);
    QWidget *remove = tool(&free, 35, 20);
    free.addToolItem(code, false);
    free.addSeperator();
    free.addToolItem(remove, false);
    free.show();
    free.resize(160, 24);
    EXPECT_EQ(free.lineCount(), 2);
    EXPECT_EQ(free.height(), 2 + 20 + 4 + 20 + 2);
    EXPECT_EQ(remove->pos(), QPoint(2, 2 + 20 + 4));

    CAutoExpandToolBar bar(nullptr, 1);
    QWidget *a = tool(&bar, 100, 20);
    QWidget *b = tool(&bar, 100, 20);
    bar.addToolItem(a, false);
    bar.addToolItem(b, false);
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
