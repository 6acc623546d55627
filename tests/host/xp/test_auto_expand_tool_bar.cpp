#include "QtPrinters.h"
#include "xp/CAutoExpandToolBar.h"

#include <gtest/gtest.h>

using namespace XP;

namespace {

QWidget *tool(QWidget *parent, int w, int h)
{
    auto *t = new QWidget(parent);
    t->setFixedSize(w, h);
    return t;
}

TEST(AutoExpandToolBar, itemsFlowOntoNewLinesWhenNarrow)
{
    CAutoExpandToolBar bar(nullptr, -1);
    QWidget *code = tool(&bar, 140, 20);
    QWidget *remove = tool(&bar, 35, 20);
    bar.addToolItem(code, false);
    bar.addSeperator();
    bar.addToolItem(remove, false);
    bar.show();

    bar.resize(400, 24);
    EXPECT_EQ(bar.lineCount(), 1);
    EXPECT_EQ(bar.height(), 24); // 20 + 2 margins
    EXPECT_EQ(code->y(), remove->y());

    bar.resize(160, 24);
    EXPECT_EQ(bar.lineCount(), 2);
    EXPECT_EQ(bar.heightForWidth(160), 2 + 20 + 4 + 20 + 2);
    EXPECT_EQ(bar.height(), bar.heightForWidth(160));
    EXPECT_GT(remove->y(), code->y());
    EXPECT_EQ(remove->x(), 2); // line two starts with it
}

TEST(AutoExpandToolBar, lineCapHidesOverflowAndExpandingItemsFillTheirLine)
{
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

    CAutoExpandToolBar wide(nullptr, -1);
    QWidget *search = new QWidget(&wide);
    search->setMinimumSize(50, 20);
    wide.addToolItem(search, true);
    wide.show();
    wide.resize(300, 24);
    EXPECT_EQ(search->geometry().right(), 297);
}

} // namespace
