#include "agreement/CAgreementRepurchaseWidgetConfirm.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"

namespace TC {

CAgreementRepurchaseWidgetConfirm::CAgreementRepurchaseWidgetConfirm(QWidget *parent)
    : CAgreementSingleFormWidget(parent,
                                 { OPT_AGREEMENT_MATURITY_CONFIRM, 300, 4, 0, "到期确认", false })
{
}

CAgreementRepurchaseWidgetConfirm::~CAgreementRepurchaseWidgetConfirm() = default;

void CAgreementRepurchaseWidgetConfirm::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!ordersToPlace(orders))
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

} // namespace TC
