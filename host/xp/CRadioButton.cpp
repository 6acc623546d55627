#include "xp/CRadioButton.h"

#include "xp/CEventDeliverer.h"
#include "xp/WidgetEvents.h"

namespace XP {

CRadioButton::CRadioButton(const QString &text, int id, QWidget *parent)
    : QRadioButton(text, parent)
    , m_id(id)
{
    setObjectName(QStringLiteral("xp_radiobutton"));
    connect(this, &QAbstractButton::clicked, this,
            [this] { CEventDeliverer::deliverEventFrom(this, EVT_RADIO_CLICKED, m_id); });
}

CRadioButton::~CRadioButton() = default;

} // namespace XP
