#include "reservation/CReservationSerialPanel.h"

namespace TC {

CReservationSerialPanel::CReservationSerialPanel(int id, QWidget *parent)
    : ITradeDockableWidget(false, QStringLiteral("rnsl"), id,
                           QFlags<ttservice::EVqTraderType>(ttservice::VQ_TRADER_TYPE_FICC), parent)
{
}

CReservationSerialPanel::~CReservationSerialPanel() = default;

void CReservationSerialPanel::setParam(const QString &) { }

QString CReservationSerialPanel::param() const
{
    return QString();
}

} // namespace TC
