#include "ttservice/CDataCenter.h"

namespace ttservice {

CAccountDataPtr CDataCenter::getAccountData(const std::string &accountKey) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto it = m_accounts.find(accountKey);
    return it == m_accounts.end() ? CAccountDataPtr() : it->second;
}

void CDataCenter::addAccountData(const CAccountDataPtr &data)
{
    if (!data || !data->getAccountInfo())
        return;
    boost::mutex::scoped_lock lock(m_mutex);
    m_accounts[data->getAccountInfo()->getKey()] = data;
}

std::vector<std::string> CDataCenter::accountKeys() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    std::vector<std::string> keys;
    for (const auto &entry : m_accounts)
        keys.push_back(entry.first);
    return keys;
}

void CDataCenter::clear()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_accounts.clear();
}

} // namespace ttservice
