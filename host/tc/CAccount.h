#pragma once

#include "ttservice/CAccountData.h"

namespace TC {

// An account of the user configuration: its identity and its trading data
// (the same CAccountData the data centre holds under the account key).
class CAccount
{
public:
    explicit CAccount(const ttservice::CAccountInfo &info);

    ttservice::CAccountInfoPtr getAccountInfo() const { return m_accountData->getAccountInfo(); }
    ttservice::CAccountDataPtr getAccountData() const { return m_accountData; }
    std::string getKey() const { return getAccountInfo()->getKey(); }

private:
    ttservice::CAccountDataPtr m_accountData;
};

using CAccountPtr = boost::shared_ptr<CAccount>;

} // namespace TC
