#include "shell/CFiccOperationPanel.h"

#include "common/CDealerDirectory.h"
#include "common/DeploymentRights.h"
#include "shell/COperationFiccWidget.h"
#include "tc/Services.h"

namespace TC {

CFiccOperationPanel::CFiccOperationPanel(int id, QWidget *parent)
    : COperationPanel(id, parent)
    , m_operationWidget(nullptr)
{
    setTradeType(ttservice::VQ_TRADER_TYPE_FICC);
    createUi();
}

CFiccOperationPanel::~CFiccOperationPanel() = default;

void CFiccOperationPanel::createUi()
{
    const int code = getUserConfig()->deploymentCode;
    // Any other deployment gets an empty panel.
    if (!deploymentRights(code).panelContent)
        return;
    m_operationWidget = new COperationFiccWidget(this);
    setInnerStretchWidget(m_operationWidget, 0, 0, 0, 0);
}

void CFiccOperationPanel::setParam(const QString &text)
{
    if (!m_operationWidget)
        return;
    m_operationWidget->setParam(text);
    CDealerDirectory::instance()->loadDefault();
}

QString CFiccOperationPanel::param() const
{
    QString text;
    if (m_operationWidget) {
        text.append(m_operationWidget->param());
        CDealerDirectory::instance()->save();
    }
    return text;
}

void CFiccOperationPanel::requestAccount(const ttservice::CAccountInfo &)
{
    if (m_operationWidget)
        m_operationWidget->refreshAccounts();
}

void CFiccOperationPanel::loadAccountGroupSettings()
{
    if (m_operationWidget)
        m_operationWidget->loadAccountGroupSettings();
}

void CFiccOperationPanel::refreshAccounts()
{
    if (m_operationWidget)
        m_operationWidget->refreshAccounts();
}

void CFiccOperationPanel::doSlotCanOrderNum()
{
    if (m_operationWidget)
        m_operationWidget->doSlotCanOrderNum();
}

void CFiccOperationPanel::setCurrentOperationType(ETradeOperationType type)
{
    if (m_operationWidget)
        m_operationWidget->setCurrentOperationType(type);
}

} // namespace TC
