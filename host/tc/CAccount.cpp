#include "tc/CAccount.h"

#include <boost/make_shared.hpp>

namespace TC {

CAccount::CAccount(const ttservice::CAccountInfo &info)
    : m_accountData(boost::make_shared<ttservice::CAccountData>(
        boost::make_shared<ttservice::CAccountInfo>(info)))
{
}

} // namespace TC
