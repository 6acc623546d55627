#include "tc/CAccount.h"

#include <boost/make_shared.hpp>

namespace TC {

namespace {

// An empty text is the shared null string rather than an empty string of its
// own: most accounts have no display id, and a list of thousands reads it.
QString text(const std::string &utf8)
{
    return utf8.empty() ? QString() : QString::fromStdString(utf8);
}

} // namespace

CAccount::CAccount(const ttservice::CAccountInfo &info)
    : m_accountData(boost::make_shared<ttservice::CAccountData>(
        boost::make_shared<ttservice::CAccountInfo>(info)))
    , m_key(info.getKey())
    , m_brokerType(info.brokerType)
    , m_keyText(text(m_key))
    , m_displayIdText(text(info.displayId))
    , m_nameText(text(info.accountName))
{
}

} // namespace TC
