#include "agreement/CAgreementRepurchaseWidgetAdvance.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"

namespace TC {

CAgreementRepurchaseWidgetAdvance::CAgreementRepurchaseWidgetAdvance(QWidget *parent)
    : CAgreementSingleFormWidget(parent,
                                 { OPT_AGREEMENT_EARLY_REPURCHASE, 300, 5, 0, "提前购回", false })
{
}

CAgreementRepurchaseWidgetAdvance::~CAgreementRepurchaseWidgetAdvance() = default;

void CAgreementRepurchaseWidgetAdvance::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!ordersToPlace(orders))
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

} // namespace TC
