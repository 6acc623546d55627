#pragma once

#include "FiccExport.h"
#include "tc/ITradeDockableWidget.h"

namespace TC {

// The reservation serial panel: an empty dockable panel of the FICC trader
// type, registered under the panel type key "rnsl". It keeps no parameters.
class FICC_EXPORT CReservationSerialPanel : public ITradeDockableWidget
{
    Q_OBJECT
public:
    CReservationSerialPanel(int id, QWidget *parent);
    ~CReservationSerialPanel() override;

    void setParam(const QString &text) override;
    QString param() const override;
};

} // namespace TC
