#pragma once

#include "xp/CBaseWidget.h"

namespace TC {

class IBaseAgreementRepurchaseWidget;

// The turn-deal list: intention orders that can be turned into a deal
// declaration. Its rows arrive with the intention order business; for now
// it takes the page's calls and shows nothing.
class CAgreementTurnDealWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    explicit CAgreementTurnDealWidget(QWidget *parent);
    ~CAgreementTurnDealWidget() override;

    void setOperationWidget(IBaseAgreementRepurchaseWidget *widget);
    IBaseAgreementRepurchaseWidget *operationWidget() const { return m_operationWidget; }
    void queryFromServer();

private:
    IBaseAgreementRepurchaseWidget *m_operationWidget = nullptr; // not owned: the page owns it
};

} // namespace TC
