#include "agreement/CAgreementRepurchaseWidgetRenew.h"

#include "agreement/AgreementVariantSupport.h"
#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"
#include "xp/CSmallNormalButton.h"

namespace TC {

namespace {

bool placesOrders()
{
    return agreement::deploymentPlaces({ 90, 91, 101, 100, 400, 80 });
}

} // namespace

CAgreementRepurchaseWidgetRenew::CAgreementRepurchaseWidgetRenew(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(
        this, { OPT_AGREEMENT_MATURITY_RENEWAL, 400, 6, 0, "到期续做", false }, m_orderButton);
    setFixedHeight(520);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_MATURITY_RENEWAL);
}

CAgreementRepurchaseWidgetRenew::~CAgreementRepurchaseWidgetRenew() = default;

void CAgreementRepurchaseWidgetRenew::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetRenew::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetRenew::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

QString CAgreementRepurchaseWidgetRenew::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetRenew::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetRenew::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!m_form || !agreement::buildFormOrders(m_form, orders) || !placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetRenew::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

std::string CAgreementRepurchaseWidgetRenew::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
}

void CAgreementRepurchaseWidgetRenew::setOrderEnabledForContract(const std::string &key,
                                                                 bool enabled)
{
    if (m_form && m_orderButton && m_form->instructionKey() == key)
        m_orderButton->setEnabled(enabled);
}

} // namespace TC
