#include "tc/CAccount.h"

#include <boost/make_shared.hpp>

namespace TC {

CAccount::CAccount(const ttservice::CAccountInfo &info)
    : m_accountData(boost::make_shared<ttservice::CAccountData>(
        boost::make_shared<ttservice::CAccountInfo>(info)))
    , m_keyText(QString::fromStdString(info.getKey()))
    , m_displayIdText(QString::fromStdString(info.displayId))
    , m_nameText(QString::fromStdString(info.accountName))
{
}

} // namespace TC
