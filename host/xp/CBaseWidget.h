#pragma once

#include "xp/CEventWidgetT.h"
#include "xp/CUiResourceChangeHandler.h"

namespace XP {

// The base of every panel widget: a QWidget with an object name, taking part
// in widget event delivery and in theme changes. `styledBackground` paints the
// theme's panel background behind the widget.
class CBaseWidget : public CEventWidgetT<QWidget>, public CUiResourceChangeHandler
{
    Q_OBJECT
public:
    CBaseWidget(const QString &objectName, bool styledBackground, QWidget *parent);
    ~CBaseWidget() override;

    bool handleEvent(int event, int a, int b, QString text, void *data) override;
};

} // namespace XP
