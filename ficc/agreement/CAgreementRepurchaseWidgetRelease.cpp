#include "agreement/CAgreementRepurchaseWidgetRelease.h"

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

CAgreementRepurchaseWidgetRelease::CAgreementRepurchaseWidgetRelease(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(
        this, { OPT_AGREEMENT_PLEDGE_RELEASE, 300, 8, 0, "解除质押", false }, m_orderButton);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_PLEDGE_RELEASE);
}

CAgreementRepurchaseWidgetRelease::~CAgreementRepurchaseWidgetRelease() = default;

void CAgreementRepurchaseWidgetRelease::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetRelease::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetRelease::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

QString CAgreementRepurchaseWidgetRelease::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetRelease::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetRelease::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!m_form || !agreement::buildFormOrders(m_form, orders) || !placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetRelease::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

std::string CAgreementRepurchaseWidgetRelease::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
}

void CAgreementRepurchaseWidgetRelease::setOrderEnabledForContract(const std::string &key,
                                                                   bool enabled)
{
    if (m_form && m_orderButton && m_form->instructionKey() == key)
        m_orderButton->setEnabled(enabled);
}

} // namespace TC
