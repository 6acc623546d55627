#pragma once

#include "agreement/IBaseAgreementRepurchaseWidget.h"

namespace XP {
class CSmallNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementContentWidget;

// The 质押券变更 (pledged bond change) operation: its content form over the order button.
class CAgreementRepurchaseWidgetChange : public IBaseAgreementRepurchaseWidget
{
public:
    explicit CAgreementRepurchaseWidgetChange(QWidget *parent);
    ~CAgreementRepurchaseWidgetChange() override;

    void setAccountKeys(std::set<std::string> *keys) override;
    void refreshAccountInfo() override;
    void setContract(const std::string &contractKey) override;
    QString currentAccountKey() const override;
    void setCurrentAccount(const QString &key) override;
    void doOperation() override;
    void contractListReloaded() override;
    void setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows) override;
    void setPledgePosSecondSelection(QList<ttservice::CPledgedBondInfo> rows) override;
    std::string traderCode() const override;

    // Enables the order button while the form works on the instruction `key`.
    virtual void setOrderEnabledForContract(const std::string &key, bool enabled);

    IBaseAgreementContentWidget *form() const { return m_form; }
    XP::CSmallNormalButton *orderButton() const { return m_orderButton; }

private:
    IBaseAgreementContentWidget *m_form = nullptr; // owned through Qt parentage
    XP::CSmallNormalButton *m_orderButton = nullptr;
};

} // namespace TC
