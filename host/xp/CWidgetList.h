#pragma once

#include "xp/CBaseWidget.h"

#include <QBoxLayout>

namespace XP {

// Stacks child widgets in a row (Qt::Horizontal) or a column (Qt::Vertical).
//
// Fixed widgets keep their own length along the list; stretch widgets share
// the remaining length by their stretch factors. The anchor places a widget
// across the list:
//   0  start  (top of a row, left of a column)
//   1  centre
//   2  end    (bottom of a row, right of a column)
//   3  fill   (the whole height of a row, the whole width of a column)
// Any other value is taken as a Qt::Alignment when it holds alignment bits,
// else as fill.
class CWidgetList : public CBaseWidget
{
    Q_OBJECT
public:
    enum EAnchor { ANCHOR_START = 0, ANCHOR_CENTER = 1, ANCHOR_END = 2, ANCHOR_FILL = 3 };

    explicit CWidgetList(Qt::Orientation orientation, QWidget *parent = nullptr);
    ~CWidgetList() override;

    Qt::Orientation orientation() const { return m_orientation; }

    // `keepSpaceWhenHidden`: a hidden widget keeps its place instead of
    // letting its neighbours close the gap.
    void addFixedWidget(QWidget *widget, int anchor = ANCHOR_FILL,
                        bool keepSpaceWhenHidden = false);
    void addStretchWidget(QWidget *widget, int stretch = 1, int anchor = ANCHOR_FILL,
                          bool keepSpaceWhenHidden = false);
    void addFixedSpace(int length);
    void addStretchSpace(int stretch = 1);

    void setMargins(int left, int top, int right, int bottom);
    void setSpacing(int spacing);
    int spacing() const;
    QMargins margins() const;

    // Widgets in list order (spaces are not counted).
    QList<QWidget *> widgets() const;
    int stretchOf(QWidget *widget) const;

    // Re-reads the children's sizes after a theme or font change.
    void updateWidgetLengths();
    void setFixFont() override { updateWidgetLengths(); }
    void scaleChanged() override { updateWidgetLengths(); }

    // The alignment an anchor stands for in a list of this orientation.
    Qt::Alignment alignmentForAnchor(int anchor) const;

private:
    void addWidget(QWidget *widget, int stretch, int anchor, bool keepSpaceWhenHidden);

    Qt::Orientation m_orientation;
    QBoxLayout *m_layout;
};

} // namespace XP
