#pragma once

#include "xp/CBaseWidget.h"

#include <QPointer>

namespace XP {

// A tool bar whose items flow onto further lines when the bar is too narrow
// for them, growing its height instead of hiding tools. `maxLines` caps the
// number of lines (-1: as many as needed); items beyond the cap are hidden.
class CAutoExpandToolBar : public CBaseWidget
{
    Q_OBJECT
public:
    explicit CAutoExpandToolBar(QWidget *parent = nullptr, int maxLines = -1);
    ~CAutoExpandToolBar() override;

    // `expanding`: the item also takes the free width left at the end of its line.
    void addToolItem(QWidget *item, bool expanding = false);
    // A thin vertical line between groups of tools.
    void addSeperator();

    void setSpacing(int spacing);
    int lineCount() const { return m_lines; }
    QList<QWidget *> toolItems() const;

    // Height needed to show every item at `width`.
    int heightForWidth(int width) const override;
    bool hasHeightForWidth() const override { return true; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct SItem
    {
        QPointer<QWidget> widget; // items are children; a deleted one drops out
        bool expanding;
    };
    // Places the items for `width`; with `apply` false only measures. Returns the height.
    int arrange(int width, bool apply) const;
    void arrangeWhenShown();

    QList<SItem> m_items;
    int m_maxLines;
    int m_spacing = 4;
    int m_margin = 2;
    mutable int m_lines = 1;
    mutable bool m_arrangePending = false; // items added or spaced while hidden
};

} // namespace XP
