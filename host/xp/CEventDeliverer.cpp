#include "xp/CEventDeliverer.h"

#include <QWidget>

namespace XP {

bool CEventDeliverer::handleEvent(int, int, int, QString, void *)
{
    return false;
}

CEventDeliverer *CEventDeliverer::nearestDeliverer(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (auto *d = dynamic_cast<CEventDeliverer *>(w))
            return d;
    }
    return nullptr;
}

bool CEventDeliverer::deliverEvent(int event, int a, int b, const QString &text, void *data)
{
    CEventDeliverer *current = this;
    while (current) {
        if (current->handleEvent(event, a, b, text, data))
            return true;
        QWidget *self = current->delivererWidget();
        current = self ? nearestDeliverer(self->parentWidget()) : nullptr;
    }
    return false;
}

bool CEventDeliverer::deliverEventFrom(QWidget *widget, int event, int a, int b,
                                       const QString &text, void *data)
{
    CEventDeliverer *d = nearestDeliverer(widget);
    return d ? d->deliverEvent(event, a, b, text, data) : false;
}

} // namespace XP
