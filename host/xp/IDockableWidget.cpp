#include "xp/IDockableWidget.h"

namespace XP {

IDockableWidget::IDockableWidget(const QString &panelTypeKey, int id, QWidget *parent)
    : CBaseWidget(QStringLiteral("xp_dockable_") + panelTypeKey, true, parent)
    , m_panelTypeKey(panelTypeKey)
    , m_panelId(id)
{
}

IDockableWidget::~IDockableWidget() = default;

void IDockableWidget::setParam(const QString &) { }

QString IDockableWidget::param() const
{
    return QString();
}

} // namespace XP
