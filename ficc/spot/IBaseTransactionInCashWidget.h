#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/Types.h"
#include "xp/CBaseWidget.h"

#include <string>

namespace TC {

class COpAccountsWidget;

// Base of the spot bond order pages: the page's operation kind, the side of
// the next order, the host's account list beside the page and the account
// the order is for.
class IBaseTransactionInCashWidget : public XP::CBaseWidget
{
public:
    IBaseTransactionInCashWidget(const QString &objectName, QWidget *parent);
    ~IBaseTransactionInCashWidget() override;

    // Tells the account list the quantity being entered for the current account.
    virtual void publishSplitVolume() = 0;
    virtual std::string currentAccount() const = 0;
    virtual void setCurrentAccount(const std::string &key) = 0;
    // False with the message of the first failed check.
    virtual bool checkInput(QString &error) = 0;
    // Builds the order and hands it to the command centre.
    virtual void doOperation() = 0;
    virtual void setOperationEnabled(ttservice::EOperationType side, bool enabled) = 0;

    void setTradeOperationType(ETradeOperationType type) { m_tradeOperationType = type; }
    ETradeOperationType tradeOperationType() const { return m_tradeOperationType; }
    void setOperationType(ttservice::EOperationType side) { m_operationType = side; }
    ttservice::EOperationType operationType() const { return m_operationType; }
    void setAccountsWidget(COpAccountsWidget *accounts) { m_accounts = accounts; }
    COpAccountsWidget *accountsWidget() const { return m_accounts; }

protected:
    ETradeOperationType m_tradeOperationType = OPT_NONE;
    ttservice::EOperationType m_operationType = ttservice::OPERATION_TYPE_BUY;
    COpAccountsWidget *m_accounts = nullptr; // not owned: the switcher owns the account list
    std::string m_currentAccount;
    // An instruction the orders must stay within; nothing in the panel sets it.
    std::string m_instructionKey;
};

} // namespace TC
