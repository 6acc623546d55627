#pragma once

#include "FiccExport.h"
#include "tc/COperationPanel.h"

namespace TC {

class COperationFiccWidget;

// The FICC order-entry panel the terminal creates, docks and drives. Its whole
// content is the mode switcher; the panel forwards the terminal's calls to it
// and ties the dealer directory to the panel's parameter string (restoring the
// panel reloads the directory, saving the panel saves it).
class FICC_EXPORT CFiccOperationPanel : public COperationPanel
{
public:
    CFiccOperationPanel(int id, QWidget *parent);
    ~CFiccOperationPanel() override;

    void setParam(const QString &text) override;
    QString param() const override;
    void requestAccount(const ttservice::CAccountInfo &account) override;
    void loadAccountGroupSettings() override;
    void refreshAccounts() override;
    virtual void setCurrentOperationType(ETradeOperationType type);
    using ITradeDockableWidget::setCurrentOperationType;

    // The switcher, null when the deployment offers no FICC content.
    COperationFiccWidget *operationWidget() const { return m_operationWidget; }

protected:
    void doSlotCanOrderNum() override;
    void createUi();

private:
    COperationFiccWidget *m_operationWidget; // owned through Qt parentage
};

} // namespace TC
