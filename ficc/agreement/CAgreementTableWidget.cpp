#include "agreement/CAgreementTableWidget.h"

namespace TC {

CAgreementTableWidget::CAgreementTableWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_agreementtablewidget"), false, parent)
{
}

CAgreementTableWidget::~CAgreementTableWidget() = default;

void CAgreementTableWidget::setOperationWidget(IBaseAgreementRepurchaseWidget *widget)
{
    m_operationWidget = widget;
}

void CAgreementTableWidget::queryContracts(bool) {}

} // namespace TC
