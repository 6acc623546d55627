#pragma once

#include "xp/CBaseWidget.h"

namespace TC {

class IBaseAgreementRepurchaseWidget;

// The confirmation table: deal declarations that counterparties addressed
// to this trader, confirmed as orders. Its rows arrive with the declaration
// business; for now it takes the page's calls and shows nothing.
class CAgreementConfirmWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    explicit CAgreementConfirmWidget(QWidget *parent);
    ~CAgreementConfirmWidget() override;

    void setOperationWidget(IBaseAgreementRepurchaseWidget *widget);
    IBaseAgreementRepurchaseWidget *operationWidget() const { return m_operationWidget; }
    void queryPendingDeclarations();

private:
    IBaseAgreementRepurchaseWidget *m_operationWidget = nullptr; // not owned: the page owns it
};

} // namespace TC
