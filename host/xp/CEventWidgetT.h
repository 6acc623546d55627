#pragma once

#include "xp/CEventDeliverer.h"
#include "xp/ShowWithParent.h"

#include <QGridLayout>
#include <QWidget>

namespace XP {

// A Qt widget of type W that takes part in widget event delivery.
template<class W> class CEventWidgetT : public W, public CEventDeliverer
{
public:
    explicit CEventWidgetT(QWidget *parent = nullptr)
        : W(parent)
    {
    }

    // Makes `widget` fill this widget, inside the given margins. A second call
    // replaces the previous stretch widget (which stays a child).
    void setInnerStretchWidget(QWidget *widget, int left, int top, int right, int bottom)
    {
        auto *grid = qobject_cast<QGridLayout *>(this->layout());
        if (!grid) {
            delete this->layout();
            grid = new QGridLayout(this);
            grid->setSpacing(0);
        }
        while (QLayoutItem *item = grid->takeAt(0))
            delete item;
        grid->setContentsMargins(left, top, right, bottom);
        if (widget) {
            if (widget->parentWidget() != this)
                widget->setParent(this);
            grid->addWidget(widget, 0, 0);
            showWithParent(widget);
        }
    }

protected:
    QWidget *delivererWidget() override { return this; }
};

} // namespace XP
