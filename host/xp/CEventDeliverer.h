#pragma once

#include <QString>

class QWidget;

namespace XP {

// Widget events travel upwards: deliverEvent() offers the event to the sender's
// own handleEvent(), then to each ancestor that is a deliverer, until one
// returns true. Plain toolkit controls (buttons, combos) start at their nearest
// deliverer ancestor (deliverEventFrom).
class CEventDeliverer
{
public:
    virtual ~CEventDeliverer() = default;

    // Returns true to consume the event. The default consumes nothing.
    virtual bool handleEvent(int event, int a, int b, QString text, void *data);

    // Returns true when some deliverer on the way consumed the event.
    bool deliverEvent(int event, int a = 0, int b = 0, const QString &text = QString(),
                      void *data = nullptr);

    // Delivers starting at the nearest deliverer at or above `widget`.
    static bool deliverEventFrom(QWidget *widget, int event, int a = 0, int b = 0,
                                 const QString &text = QString(), void *data = nullptr);

    // The nearest deliverer at or above `widget`, or null.
    static CEventDeliverer *nearestDeliverer(QWidget *widget);

protected:
    // The widget this deliverer is; the walk continues at its parent.
    virtual QWidget *delivererWidget() = 0;
};

} // namespace XP
