#pragma once

#include "tc/TradeOperationType.h"
#include "ttservice/Types.h"
#include "xp/CBaseWidget.h"

#include <QSize>

#include <string>

namespace TC {

class COpAccountsWidget;

// The spot bond (现券交易) page. It places the host's spot account list beside
// itself, following the alignment the terminal asks for, and shows it with the
// page. The order form arrives with the spot business.
class COpTransactionInCashWidget : public XP::CBaseWidget
{
public:
    explicit COpTransactionInCashWidget(QWidget *parent);
    ~COpTransactionInCashWidget() override;

    void setAccountsWidget(COpAccountsWidget *accounts) { m_accounts = accounts; }
    COpAccountsWidget *accountsWidget() const { return m_accounts; }

    void showPage(bool visible);
    // Only 1 (left), 2 (right), 32 (top) and 64 (bottom) are taken.
    void setAccountsAlignment(int flag);
    int accountsAlignment() const { return m_alignment; }
    void setAvailableSize(const QSize &size) { m_availableSize = size; }
    QSize availableSize() const { return m_availableSize; }

    std::string currentAccount() const { return m_currentAccount; }
    void setCurrentAccount(const std::string &key);
    void queryCanOrderNum();

    ETradeOperationType tradeOperationType() const { return m_tradeOperationType; }
    ttservice::EOperationType operationType() const { return m_operationType; }

    // Places the page and the account list in the switcher's page area.
    void layoutWithAccounts();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    COpAccountsWidget *m_accounts = nullptr; // not owned: the switcher owns it
    ETradeOperationType m_tradeOperationType = OPT_SPOT_BOND_TRADE;
    ttservice::EOperationType m_operationType = ttservice::OPERATION_TYPE_BUY;
    std::string m_currentAccount;
    int m_alignment = Qt::AlignRight;
    QSize m_availableSize{0, 0};
};

} // namespace TC
