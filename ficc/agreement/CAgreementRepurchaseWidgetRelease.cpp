#include "agreement/CAgreementRepurchaseWidgetRelease.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"

namespace TC {

CAgreementRepurchaseWidgetRelease::CAgreementRepurchaseWidgetRelease(QWidget *parent)
    : CAgreementSingleFormWidget(parent,
                                 { OPT_AGREEMENT_PLEDGE_RELEASE, 300, 8, 0, "解除质押", false })
{
}

CAgreementRepurchaseWidgetRelease::~CAgreementRepurchaseWidgetRelease() = default;

void CAgreementRepurchaseWidgetRelease::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!ordersToPlace(orders))
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

} // namespace TC
