#pragma once

#include <QWidget>

namespace XP {

// Makes `child` visible whenever its parent is. A child that was never hidden
// on purpose shows together with its parent, so nothing is done for it while
// the parent is hidden: showing it now would polish and lay out its whole
// subtree for a page that may never be opened. A child hidden on purpose, or
// one added to a parent already on screen, is shown at once.
inline void showWithParent(QWidget *child)
{
    if (!child->isHidden())
        return;
    const QWidget *parent = child->parentWidget();
    if (child->testAttribute(Qt::WA_WState_ExplicitShowHide) || !parent || parent->isVisible())
        child->show();
}

} // namespace XP
