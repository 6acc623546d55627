#include "xp/CBaseWidget.h"

namespace XP {

CBaseWidget::CBaseWidget(const QString &objectName, bool styledBackground, QWidget *parent)
    : CEventWidgetT<QWidget>(parent)
{
    setObjectName(objectName);
    if (styledBackground)
        setAttribute(Qt::WA_StyledBackground, true);
}

CBaseWidget::~CBaseWidget() = default;

bool CBaseWidget::handleEvent(int event, int a, int b, QString text, void *data)
{
    return CEventWidgetT<QWidget>::handleEvent(event, a, b, text, data);
}

} // namespace XP
