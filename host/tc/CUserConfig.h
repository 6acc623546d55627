#pragma once

#include "tc/CAccount.h"
#include "tc/CTradeSetting.h"

#include <QString>

#include <map>
#include <vector>

namespace TC {

// The logged-in user's configuration: businesses offered, order hints,
// deployment kind and accounts. Used from the GUI thread.
class CUserConfig
{
public:
    QString userName;
    // Kind of deployment; the panels compare it with fixed code lists, and
    // 200 makes the agreement forms read-only.
    int deploymentCode = 0;

    bool hasPledgeAgreeRepurchase() const { return m_pledgeAgreeRepurchase; }
    bool hasQuotationRepurchase() const { return m_quotationRepurchase; }
    bool hasSpotTrade() const { return m_spotTrade; }
    void setPledgeAgreeRepurchase(bool offered) { m_pledgeAgreeRepurchase = offered; }
    void setQuotationRepurchase(bool offered) { m_quotationRepurchase = offered; }
    void setSpotTrade(bool offered) { m_spotTrade = offered; }

    // Null when no account has this key.
    CAccountPtr getAccountData(const QString &key) const;
    // Every account, in the order it was added.
    std::vector<CAccountPtr> getAccountDatas() const;
    // The account's funds record; null when the account or its detail is unknown.
    ttservice::CAccountDetailPtr getAccountDetail(const ttservice::CAccountInfo &info) const;
    // Adds the account and registers its data with the data centre. An account
    // already configured is returned as it is.
    CAccountPtr addAccount(const ttservice::CAccountInfo &info);

    // Order hint bits of the global settings; bit 1: confirm before sending.
    bool testGlobalOrderHint(int flag) const { return (m_globalOrderHints & flag) != 0; }
    void setGlobalOrderHints(int flags) { m_globalOrderHints = flags; }

    CTradeSetting *getTradeSetting() { return &m_tradeSetting; }

    // Nothing offered, no user, deployment 0, no accounts, no hints.
    void reset();

private:
    bool m_pledgeAgreeRepurchase = false;
    bool m_quotationRepurchase = false;
    bool m_spotTrade = false;
    int m_globalOrderHints = 0;
    CTradeSetting m_tradeSetting;
    std::vector<CAccountPtr> m_accounts;
    std::map<std::string, CAccountPtr> m_accountsByKey;
};

} // namespace TC
