#pragma once

#include "agreement/IBaseAgreementRepurchaseWidget.h"

namespace XP {
class CSmallNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementContentWidget;

// The 成交申报 (deal declaration) operation: its content form over the order button.
class CAgreementRepurchaseWidgetDec : public IBaseAgreementRepurchaseWidget
{
public:
    explicit CAgreementRepurchaseWidgetDec(QWidget *parent);
    ~CAgreementRepurchaseWidgetDec() override;

    void setAccountKeys(std::set<std::string> *keys) override;
    void refreshAccountInfo() override;
    void setContract(const std::string &contractKey) override;
    QString currentAccountKey() const override;
    void setCurrentAccount(const QString &key) override;
    void doOperation() override;
    void contractListReloaded() override;
    void setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows) override;
    std::string traderCode() const override;

    // Fills the form from the intention order the trader turns into a deal.
    void fillFromTurnDeal(const QString &turnDealKey);

    bool handleEvent(int event, int a, int b, QString text, void *data) override;

    IBaseAgreementContentWidget *form() const { return m_form; }
    XP::CSmallNormalButton *orderButton() const { return m_orderButton; }

private:
    IBaseAgreementContentWidget *m_form = nullptr; // owned through Qt parentage
    XP::CSmallNormalButton *m_orderButton = nullptr;
};

} // namespace TC
