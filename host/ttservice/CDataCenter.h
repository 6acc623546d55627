#pragma once

#include "ttservice/CAccountData.h"

#include <boost/thread/mutex.hpp>

#include <map>
#include <string>

namespace ttservice {

// The account data of every account, by account key. Thread-safe.
class CDataCenter
{
public:
    CAccountDataPtr getAccountData(const std::string &accountKey) const;
    // Registers `data` under its account's key, replacing an earlier one.
    void addAccountData(const CAccountDataPtr &data);
    std::vector<std::string> accountKeys() const;
    void clear();

private:
    mutable boost::mutex m_mutex;
    std::map<std::string, CAccountDataPtr> m_accounts;
};

} // namespace ttservice
