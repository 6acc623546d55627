#include "agreement/CAgreementRepurchaseWidgetRenew.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"

namespace TC {

CAgreementRepurchaseWidgetRenew::CAgreementRepurchaseWidgetRenew(QWidget *parent)
    : CAgreementSingleFormWidget(parent,
                                 { OPT_AGREEMENT_MATURITY_RENEWAL, 400, 6, 0, "到期续做", false })
{
    setFixedHeight(520);
}

CAgreementRepurchaseWidgetRenew::~CAgreementRepurchaseWidgetRenew() = default;

void CAgreementRepurchaseWidgetRenew::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!ordersToPlace(orders))
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

} // namespace TC
