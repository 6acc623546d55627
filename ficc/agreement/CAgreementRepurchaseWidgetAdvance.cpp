#include "agreement/CAgreementRepurchaseWidgetAdvance.h"

#include "agreement/AgreementVariantSupport.h"
#include "agreement/IBaseAgreementContentWidget.h"
#include "utils/TTLog.h"
#include "xp/CSmallNormalButton.h"

namespace TC {

namespace {

// Early repurchase places under the same deployments as the other agreement
// operations. The page offers it alone to the sell-only deployment 400, so a
// shorter list (90, 91, 92) would leave that desk a button that never sends;
// 92 has no agreement panel at all.
bool placesOrders()
{
    return agreement::deploymentPlaces({ 90, 91, 101, 100, 400, 80 });
}

} // namespace

CAgreementRepurchaseWidgetAdvance::CAgreementRepurchaseWidgetAdvance(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(
        this, { OPT_AGREEMENT_EARLY_REPURCHASE, 300, 5, 0, "提前购回", false }, m_orderButton);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_EARLY_REPURCHASE);
}

CAgreementRepurchaseWidgetAdvance::~CAgreementRepurchaseWidgetAdvance() = default;

void CAgreementRepurchaseWidgetAdvance::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetAdvance::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetAdvance::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

QString CAgreementRepurchaseWidgetAdvance::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetAdvance::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetAdvance::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!m_form || !agreement::buildFormOrders(m_form, orders) || !placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetAdvance::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

std::string CAgreementRepurchaseWidgetAdvance::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
}

void CAgreementRepurchaseWidgetAdvance::setOrderEnabledForContract(const std::string &key,
                                                                   bool enabled)
{
    if (m_form && m_orderButton && m_form->instructionKey() == key)
        m_orderButton->setEnabled(enabled);
}

} // namespace TC
