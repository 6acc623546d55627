#include "agreement/CAgreementTurnDealWidget.h"

namespace TC {

CAgreementTurnDealWidget::CAgreementTurnDealWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementtablewidget"), false, parent)
{
}

CAgreementTurnDealWidget::~CAgreementTurnDealWidget() = default;

void CAgreementTurnDealWidget::setOperationWidget(IBaseAgreementRepurchaseWidget *widget)
{
    m_operationWidget = widget;
}

void CAgreementTurnDealWidget::queryFromServer() { }

} // namespace TC
