#include "agreement/CAgreementRepurchaseWidgetDec.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "common/FiccEvents.h"
#include "utils/TTLog.h"

namespace TC {

CAgreementRepurchaseWidgetDec::CAgreementRepurchaseWidgetDec(QWidget *parent)
    : CAgreementSingleFormWidget(parent,
                                 { OPT_AGREEMENT_DEAL_DECLARATION, 340, 2, 3, "正回购", true })
{
}

CAgreementRepurchaseWidgetDec::~CAgreementRepurchaseWidgetDec() = default;

void CAgreementRepurchaseWidgetDec::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!ordersToPlace(orders))
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetDec::setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_form)
        m_form->setPledgeSelection(rows);
}

void CAgreementRepurchaseWidgetDec::fillFromTurnDeal(const QString &turnDealKey)
{
    if (m_form)
        m_form->fillFromTurnDeal(turnDealKey);
}

bool CAgreementRepurchaseWidgetDec::handleEvent(int event, int a, int b, QString text, void *data)
{
    // The order button's click goes on to the page, which calls doOperation().
    if (event == EVT_BUTTON_CHECKED)
        return false;
    return CAgreementSingleFormWidget::handleEvent(event, a, b, text, data);
}

} // namespace TC
