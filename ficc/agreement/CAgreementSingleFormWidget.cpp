#include "agreement/CAgreementSingleFormWidget.h"

#include "agreement/IBaseAgreementContentWidget.h"
#include "xp/CSmallNormalButton.h"

namespace TC {

CAgreementSingleFormWidget::CAgreementSingleFormWidget(QWidget *parent,
                                                       const agreement::SingleFormPage &page)
    : IBaseAgreementRepurchaseWidget(parent)
{
    m_form = agreement::buildSingleFormPage(this, page, m_orderButton);
    setFocusPolicy(Qt::StrongFocus);
    setOperationType(page.type);
}

CAgreementSingleFormWidget::~CAgreementSingleFormWidget() = default;

void CAgreementSingleFormWidget::setAccountKeys(std::set<std::string> *keys)
{
    if (m_form && keys)
        m_form->setAccountKeys(*keys);
}

void CAgreementSingleFormWidget::refreshAccountInfo()
{
    if (m_form)
        m_form->refreshAccountInfo();
}

void CAgreementSingleFormWidget::setContract(const std::string &contractKey)
{
    if (m_form)
        m_form->setContract(contractKey);
}

void CAgreementSingleFormWidget::beginContractFill()
{
    if (m_form)
        m_form->beginContractFill();
}

void CAgreementSingleFormWidget::endContractFill()
{
    if (m_form)
        m_form->endContractFill();
}

QString CAgreementSingleFormWidget::currentAccountKey() const
{
    return m_form ? m_form->currentAccountKey() : QString();
}

void CAgreementSingleFormWidget::setCurrentAccount(const QString &key)
{
    if (m_form)
        m_form->setCurrentAccount(key);
}

void CAgreementSingleFormWidget::contractListReloaded()
{
    if (m_form)
        m_form->contractListReloaded();
}

std::string CAgreementSingleFormWidget::traderCode() const
{
    return m_form ? m_form->traderCode() : std::string();
}

bool CAgreementSingleFormWidget::ordersToPlace(std::vector<ttservice::CCodeOrderParam> &orders)
{
    return m_form && agreement::buildFormOrders(m_form, orders)
        && agreement::deploymentPlacesAgreementOrders();
}

void CAgreementSingleFormWidget::setOrderEnabledForContract(const std::string &key, bool enabled)
{
    if (m_form && m_orderButton && m_form->instructionKey() == key)
        m_orderButton->setEnabled(enabled);
}

} // namespace TC
