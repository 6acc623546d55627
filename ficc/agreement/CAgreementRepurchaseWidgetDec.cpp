#include "agreement/CAgreementRepurchaseWidgetDec.h"

#include "agreement/AgreementVariantSupport.h"
#include "agreement/IBaseAgreementContentWidget.h"
#include "shell/FiccEvents.h"
#include "utils/TTLog.h"
#include "xp/CSmallNormalButton.h"

namespace TC {

namespace {

bool placesOrders()
{
    return agreement::deploymentPlaces({ 90, 91, 101, 100, 400, 80 });
}

} // namespace

CAgreementRepurchaseWidgetDec::CAgreementRepurchaseWidgetDec(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(
        this, { OPT_AGREEMENT_DEAL_DECLARATION, 340, 2, 3, "正回购", true }, m_orderButton);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_DEAL_DECLARATION);
}

CAgreementRepurchaseWidgetDec::~CAgreementRepurchaseWidgetDec() = default;

void CAgreementRepurchaseWidgetDec::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetDec::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetDec::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

QString CAgreementRepurchaseWidgetDec::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetDec::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetDec::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!m_form || !agreement::buildFormOrders(m_form, orders) || !placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetDec::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

void CAgreementRepurchaseWidgetDec::setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_form)
        m_form->setPledgeSelection(rows);
}

std::string CAgreementRepurchaseWidgetDec::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
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
    return IBaseAgreementRepurchaseWidget::handleEvent(event, a, b, text, data);
}

} // namespace TC
