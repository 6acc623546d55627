#include "agreement/CAgreementRepurchaseWidgetChange.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"

namespace TC {

CAgreementRepurchaseWidgetChange::CAgreementRepurchaseWidgetChange(QWidget *parent)
    : CAgreementSingleFormWidget(parent,
                                 { OPT_AGREEMENT_PLEDGE_CHANGE, 300, 7, 0, "质押券变更", false })
{
}

CAgreementRepurchaseWidgetChange::~CAgreementRepurchaseWidgetChange() = default;

void CAgreementRepurchaseWidgetChange::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!ordersToPlace(orders))
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetChange::setPledgePosSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_form)
        m_form->setPledgeSelection(rows);
}

void CAgreementRepurchaseWidgetChange::setPledgePosSecondSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_form)
        m_form->setSecondPledgeSelection(rows);
}

} // namespace TC
