#include "tc/CUserConfig.h"

#include "ttservice/TraderCenter.h"

#include <boost/make_shared.hpp>

namespace TC {

CAccountPtr CUserConfig::getAccountData(const QString &key) const
{
    const auto it = m_accountsByKey.find(key.toStdString());
    return it == m_accountsByKey.end() ? CAccountPtr() : it->second;
}

std::vector<CAccountPtr> CUserConfig::getAccountDatas() const
{
    return m_accounts;
}

ttservice::CAccountDetailPtr
CUserConfig::getAccountDetail(const ttservice::CAccountInfo &info) const
{
    const auto it = m_accountsByKey.find(info.getKey());
    if (it == m_accountsByKey.end())
        return ttservice::CAccountDetailPtr();
    return it->second->getAccountData()->getAccountDetail();
}

CAccountPtr CUserConfig::addAccount(const ttservice::CAccountInfo &info)
{
    const auto it = m_accountsByKey.find(info.getKey());
    if (it != m_accountsByKey.end())
        return it->second;
    auto account = boost::make_shared<CAccount>(info);
    m_accounts.push_back(account);
    m_accountsByKey[info.getKey()] = account;
    // The panels reach the same records through the data centre.
    ttservice::TraderCenter::instance()->getDataCenter()->addAccountData(account->getAccountData());
    return account;
}

void CUserConfig::reset()
{
    userName.clear();
    deploymentCode = 0;
    m_pledgeAgreeRepurchase = false;
    m_quotationRepurchase = false;
    m_spotTrade = false;
    m_globalOrderHints = 0;
    m_tradeSetting.setHintBeforeOrderFlags(0);
    m_accounts.clear();
    m_accountsByKey.clear();
}

} // namespace TC
