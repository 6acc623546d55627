#include "agreement/CAgreementRepurchaseWidgetChange.h"

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

CAgreementRepurchaseWidgetChange::CAgreementRepurchaseWidgetChange(QWidget *parent)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(
        this, { OPT_AGREEMENT_PLEDGE_CHANGE, 300, 7, 0, "质押券变更", false }, m_orderButton);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(OPT_AGREEMENT_PLEDGE_CHANGE);
}

CAgreementRepurchaseWidgetChange::~CAgreementRepurchaseWidgetChange() = default;

void CAgreementRepurchaseWidgetChange::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementRepurchaseWidgetChange::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementRepurchaseWidgetChange::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

QString CAgreementRepurchaseWidgetChange::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementRepurchaseWidgetChange::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementRepurchaseWidgetChange::doOperation()
{
    std::vector<ttservice::CCodeOrderParam> orders;
    if (!m_form || !agreement::buildFormOrders(m_form, orders) || !placesOrders())
        return;
    TT_LOG_INFO("placeCommands: [manual] repurchase deal.");
    agreement::placeOrders(orders);
}

void CAgreementRepurchaseWidgetChange::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

void CAgreementRepurchaseWidgetChange::setPledgePosSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_form)
        m_form->setPledgeSelection(rows);
}

void CAgreementRepurchaseWidgetChange::setPledgePosSecondSelection(
    QList<ttservice::CPledgedBondInfo> rows)
{
    if (m_form)
        m_form->setSecondPledgeSelection(rows);
}

std::string CAgreementRepurchaseWidgetChange::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
}

void CAgreementRepurchaseWidgetChange::setOrderEnabledForContract(const std::string &key,
                                                                  bool enabled)
{
    if (m_form && m_orderButton && m_form->instructionKey() == key)
        m_orderButton->setEnabled(enabled);
}

} // namespace TC
