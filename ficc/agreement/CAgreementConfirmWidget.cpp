#include "agreement/CAgreementConfirmWidget.h"

namespace TC {

CAgreementConfirmWidget::CAgreementConfirmWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementtablewidget"), false, parent)
{
}

CAgreementConfirmWidget::~CAgreementConfirmWidget() = default;

void CAgreementConfirmWidget::setOperationWidget(IBaseAgreementRepurchaseWidget *widget)
{
    m_operationWidget = widget;
}

void CAgreementConfirmWidget::queryPendingDeclarations() { }

} // namespace TC
