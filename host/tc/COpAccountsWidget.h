#pragma once

#include "tc/CCanOrderNum.h"
#include "tc/TradeOperationType.h"
#include "ttservice/CAccountData.h"
#include "ttservice/Types.h"
#include "utils/CDeliveryGuard.h"
#include "xp/CBaseWidget.h"

#include <QMap>
#include <QPair>
#include <QString>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace XP {
class COddEvenRowTable;
}

namespace TC {

class COpAccountsModel;

// The terminal's account list of an operation panel: the fund accounts of one
// trader type, each with its tick, login state, available funds and the
// orderable and split quantities the order form reports for it. Ticking is
// the selection; every change of the ticked set is delivered upwards as
// EVT_SELECTED_ACCOUNTS_CHANGED (1161, a = 0, b = 0, no text, no data).
// Login states and funds follow the trade client and the account data live.
class COpAccountsWidget : public XP::CBaseWidget
{
    Q_OBJECT
public:
    // style: the terminal's list style (4 = compact list inside an operation
    // panel: short rows, no grid; other styles: standalone list with a grid).
    // multiSelect: several accounts may be ticked at once. traderType: only
    // accounts whose broker type serves it are listed (isBrokerTypeMatchTradeType).
    COpAccountsWidget(int style, bool showHeader, bool multiSelect, QWidget *parent,
                      int traderType);
    ~COpAccountsWidget() override;

    int style() const { return m_style; }
    int traderType() const { return m_traderType; }

    void setTradeOpType(ETradeOperationType type) { m_tradeOpType = type; }
    ETradeOperationType tradeOpType() const { return m_tradeOpType; }
    // The side of the next order: its quantity column (可买量 or 可卖量) is highlighted.
    void setOperationType(ttservice::EOperationType side);
    ttservice::EOperationType operationType() const { return m_operationType; }

    void setSplitVisible(bool visible);
    bool isSplitVisible() const { return m_splitVisible; }

    // Re-reads the accounts of the user configuration (added and removed
    // ones, funds, login states); ticks of accounts still listed stay.
    void loadAccountGroupSettings();

    std::set<QString> getDisplayedAccounts() const;
    std::set<QString> getSelectedAccounts() const;
    // False when the account is not listed. Delivers 1161 when the ticked set changed.
    bool setSelectedAccount(const QString &key, bool selected);

    void setCanOrderNum(const std::string &key, const CCanOrderNum &num);
    // False when nothing was ever set for the account.
    bool canOrderNum(const QString &key, CCanOrderNum *out) const;
    // The split of the order being entered; accounts not in the map have none.
    void setAccountSplitVol(const QMap<std::string, QPair<double, double>> &volumes);
    QPair<double, double> accountSplitVol(const QString &key) const; // (0,0) when none

    void setFixFont() override;

    // The rows and the table that shows them.
    const COpAccountsModel &rows() const { return *m_model; }
    XP::COddEvenRowTable *table() const { return m_table; }

private:
    void buildUi(bool showHeader);
    void connectServices();
    void applyTheme();
    void toggleRow(int row);
    void applySelectionChange(bool changed);
    void onLoginStatusChanged(const QString &key);
    void subscribeFunds(const ttservice::CAccountDataPtr &data, const QString &key);
    void subscribePending();

    const int m_style;
    const int m_traderType;
    ETradeOperationType m_tradeOpType = OPT_NONE;
    ttservice::EOperationType m_operationType = ttservice::OPERATION_TYPE_NONE;
    bool m_splitVisible = true;
    XP::COddEvenRowTable *m_table = nullptr; // owned through Qt parentage
    std::unique_ptr<COpAccountsModel> m_model;
    struct FundsSubscription
    {
        const ttservice::CAccountData *data = nullptr; // only compared: which account data
        ttservice::CSubscribeRequestPtr request; // null: not subscribed
    };
    // Accounts listed by the last reload that wait for their subscription.
    std::vector<std::pair<ttservice::CAccountDataPtr, QString>> m_unsubscribed;
    // By row of the list: one block, not a hash node per account.
    std::vector<FundsSubscription> m_fundsSubscriptions;
    // Funds arrive on the pusher's thread and reach the list only while it lives.
    utils::CDeliveryGuard m_delivery;
};

} // namespace TC
