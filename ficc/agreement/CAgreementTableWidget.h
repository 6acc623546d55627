#pragma once

#include "xp/CBaseWidget.h"

namespace TC {

class IBaseAgreementRepurchaseWidget;

// The contract table of agreement repurchase: the contracts of the chosen
// account, filtered by operation and picked into the form. Its rows arrive
// with the contract business; for now it takes the page's calls and shows nothing.
class CAgreementTableWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    explicit CAgreementTableWidget(QWidget *parent);
    ~CAgreementTableWidget() override;

    void setOperationWidget(IBaseAgreementRepurchaseWidget *widget);
    IBaseAgreementRepurchaseWidget *operationWidget() const { return m_operationWidget; }
    void queryContracts(bool force);

private:
    IBaseAgreementRepurchaseWidget *m_operationWidget = nullptr; // not owned: the page owns it
};

} // namespace TC
