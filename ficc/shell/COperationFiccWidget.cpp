#include "shell/COperationFiccWidget.h"

namespace TC {

// The businesses' tabs and pages are built here as each business arrives; until
// then the switcher is an empty strip that keeps no mode.
COperationFiccWidget::COperationFiccWidget(QWidget *parent)
    : XP::CBaseWidget(QStringLiteral("zolp_ficc_operationficcwidget"), false, parent)
{
}

COperationFiccWidget::~COperationFiccWidget() = default;

void COperationFiccWidget::setParam(const QString &) {}

QString COperationFiccWidget::param()
{
    return QString();
}

void COperationFiccWidget::setCurrentOperationType(ETradeOperationType) {}
void COperationFiccWidget::refreshAccounts() {}
void COperationFiccWidget::loadAccountGroupSettings() {}
void COperationFiccWidget::doSlotCanOrderNum() {}

} // namespace TC
