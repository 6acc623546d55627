#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CPledgedBondInfo.h"
#include "xp/CBaseWidget.h"

#include <QList>
#include <QString>

#include <boost/shared_ptr.hpp>

#include <set>
#include <string>

namespace TC {

// Base of the agreement repurchase operation widgets (意向申报, 成交申报, 到期确认,
// 提前购回, 到期续做, 质押券变更, 解除质押). The page and the agreement tables
// reach the visible operation through these operations; each variant
// forwards them to its content form and places the form's orders.
class IBaseAgreementRepurchaseWidget : public XP::CBaseWidget
{
public:
    // The object name every variant is constructed with.
    static constexpr const char *kObjectName = "zolp_quvio_opcreditdealswidget";

    explicit IBaseAgreementRepurchaseWidget(QWidget *parent,
                                            const QString &objectName
                                            = QString::fromLatin1(kObjectName));
    ~IBaseAgreementRepurchaseWidget() override;

    ETradeOperationType operationType() const { return m_operationType; }
    void setOperationType(ETradeOperationType type) { m_operationType = type; }

    // The widget's own state, restored from and saved into the page's parameter text.
    virtual void setParam(const QString &text);
    virtual QString param() const;
    // The page's account keys, handed on to the form(s); not owned.
    virtual void setAccountKeys(std::set<std::string> *keys) = 0;
    // Funds, account announcement and subscription of the form.
    virtual void refreshAccountInfo() = 0;
    // Fills the form from a contract the contract table picked.
    virtual void setContract(const std::string &contractKey) = 0;
    // Bracket the contracts the table hands over while it fills from one
    // answer; a form may lay out only what the last of them leaves.
    virtual void beginContractFill() { }
    virtual void endContractFill() { }
    virtual QString currentAccountKey() const = 0;
    virtual void setCurrentAccount(const QString &key) = 0;
    // Checks, builds and sends the form's order.
    virtual void doOperation() = 0;
    // The contract table reloaded its contracts.
    virtual void contractListReloaded() = 0;
    // Ticked rows of the pledge bond table; ignored unless a variant takes them.
    virtual void setPledgeBondSelection(QList<ttservice::CPledgedBondInfo> rows);
    // First and second selection of the pledged position table; ignored by default.
    virtual void setPledgePosSelection(QList<ttservice::CPledgedBondInfo> rows);
    virtual void setPledgePosSecondSelection(QList<ttservice::CPledgedBondInfo> rows);
    // Code of the form's "  交易员" cell.
    virtual std::string traderCode() const = 0;

    // The current account's data from the data centre; null (and logged) when it has none.
    boost::shared_ptr<ttservice::CAccountData> getAccountDataPtr();

private:
    ETradeOperationType m_operationType = OPT_NONE;
};

} // namespace TC
