#include "agreement/CAgreementRepurchaseWidgetConfirm.h"

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

CAgreementRepurchaseWidgetConfirm::CAgreementRepurchaseWidgetConfirm(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(
        this, { OPT_AGREEMENT_MATURITY_CONFIRM, 300, 4, 0, "到期确认", false }, m_orderButton);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_MATURITY_CONFIRM);
}

CAgreementRepurchaseWidgetConfirm::~CAgreementRepurchaseWidgetConfirm() = default;

void CAgreementRepurchaseWidgetConfirm::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetConfirm::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetConfirm::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

QString CAgreementRepurchaseWidgetConfirm::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetConfirm::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetConfirm::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!m_form || !agreement::buildFormOrders(m_form, orders) || !placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetConfirm::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

std::string CAgreementRepurchaseWidgetConfirm::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
}

void CAgreementRepurchaseWidgetConfirm::setOrderEnabledForContract(const std::string &key,
                                                                   bool enabled)
{
    if (m_form && m_orderButton && m_form->instructionKey() == key)
        m_orderButton->setEnabled(enabled);
}

} // namespace TC
