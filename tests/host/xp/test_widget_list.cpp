#include "QtPrinters.h"
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

TEST(WidgetList, anchorsPlaceWidgetsAcrossTheList)
{
    CWidgetList column(Qt::Vertical);
    QWidget *start = box(&column, QSize(40, 20));
    QWidget *centre = box(&column, QSize(40, 20));
    QWidget *end = box(&column, QSize(40, 20));
    QWidget *fill = box(&column, QSize(40, 20));
    for (QWidget *w : { start, centre, end })
        w->setMaximumWidth(40);
    column.addFixedWidget(start, 0, false);
    column.addFixedWidget(centre, 1, false);
    column.addFixedWidget(end, 2, false);
    column.addFixedWidget(fill, 3, false);
    column.addStretchSpace(1);
    layOut(column, QSize(200, 200));

    EXPECT_EQ(start->x(), 0);
    EXPECT_EQ(centre->x(), 80);
    EXPECT_EQ(end->geometry().right(), 199);
    EXPECT_EQ(fill->width(), 200);
    EXPECT_EQ(fill->height(), 20);
}

TEST(WidgetList, unknownAnchorsPassAsAlignment)
{
    CWidgetList row(Qt::Horizontal);
    EXPECT_EQ(row.alignmentForAnchor(Qt::AlignBottom | Qt::AlignHCenter),
              Qt::AlignBottom | Qt::AlignHCenter);
    EXPECT_EQ(row.alignmentForAnchor(0x1000000), Qt::Alignment()); // no alignment bits: fill
    EXPECT_EQ(row.alignmentForAnchor(0), Qt::AlignTop);
}

TEST(WidgetList, fixedSpacesAndHiddenWidgets)
{
    CWidgetList column(Qt::Vertical);
    column.addFixedSpace(10);
    QWidget *kept = box(&column, QSize(20, 30));
    QWidget *after = box(&column, QSize(20, 30));
    column.addFixedWidget(kept, 3, true);
    column.addFixedWidget(after, 3, false);
    column.addStretchSpace();
    layOut(column, QSize(100, 200));
    EXPECT_EQ(kept->y(), 10);
    EXPECT_EQ(after->y(), 40);
    kept->hide();
    QApplication::processEvents();
    EXPECT_EQ(after->y(), 40); // the hidden widget keeps its place
}

} // namespace
