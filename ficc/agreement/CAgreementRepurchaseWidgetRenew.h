#pragma once

#include "agreement/IBaseAgreementRepurchaseWidget.h"

namespace XP {
class CSmallNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementContentWidget;

// The 到期续做 (maturity renewal) operation: its content form over the order button.
class CAgreementRepurchaseWidgetRenew : public IBaseAgreementRepurchaseWidget
{
public:
    explicit CAgreementRepurchaseWidgetRenew(QWidget *parent);
    ~CAgreementRepurchaseWidgetRenew() override;

    void setAccountKeys(std::set<std::string> *keys) override;
    void refreshAccountInfo() override;
    void setContract(const std::string &contractKey) override;
    QString currentAccountKey() const override;
    void setCurrentAccount(const QString &key) override;
    void doOperation() override;
    void contractListReloaded() override;
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
