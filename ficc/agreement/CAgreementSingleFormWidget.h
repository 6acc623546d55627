#pragma once

#include "agreement/AgreementVariantSupport.h"
#include "agreement/IBaseAgreementRepurchaseWidget.h"

namespace XP {
class CSmallNormalButton;
} // namespace XP

namespace TC {

class IBaseAgreementContentWidget;

// An agreement operation made of one content form over its order button:
// every operation but the intention declaration. It forwards the page's calls
// to the form; the variants add their selections and place their orders.
class CAgreementSingleFormWidget : public IBaseAgreementRepurchaseWidget
{
public:
    CAgreementSingleFormWidget(QWidget *parent, const agreement::SingleFormPage &page);
    ~CAgreementSingleFormWidget() override;

    void setAccountKeys(std::set<std::string> *keys) override;
    void refreshAccountInfo() override;
    void setContract(const std::string &contractKey) override;
    void beginContractFill() override;
    void endContractFill() override;
    QString currentAccountKey() const override;
    void setCurrentAccount(const QString &key) override;
    void contractListReloaded() override;
    std::string traderCode() const override;

    IBaseAgreementContentWidget *form() const { return m_form; }
    XP::CSmallNormalButton *orderButton() const { return m_orderButton; }

protected:
    // The form's checked orders, when this deployment places them; false
    // after the failed check was shown, or silently outside the placing list.
    bool ordersToPlace(std::vector<ttservice::CCodeOrderParam> &orders);

    // Enables the order button while the form works on the instruction `key`;
    // the operations on a running contract make it public.
    virtual void setOrderEnabledForContract(const std::string &key, bool enabled);

    IBaseAgreementContentWidget *m_form = nullptr; // owned through Qt parentage
    XP::CSmallNormalButton *m_orderButton = nullptr;
};

} // namespace TC
