#pragma once

#include "ttservice/CAccountData.h"

#include <QString>

namespace TC {

// An account of the user configuration: its identity and its trading data
// (the same CAccountData the data centre holds under the account key).
// The identity is the one given when the account was added (the user
// configuration keeps the first); its texts are also kept as QStrings, made
// once here, so that lists of thousands of accounts share them instead of
// converting each one again on every fill.
class CAccount
{
public:
    explicit CAccount(const ttservice::CAccountInfo &info);

    ttservice::CAccountInfoPtr getAccountInfo() const { return m_accountData->getAccountInfo(); }
    const ttservice::CAccountDataPtr &getAccountData() const { return m_accountData; }
    std::string getKey() const { return getAccountInfo()->getKey(); }

    // The identity as given when added, kept beside the account for lists
    // that go through thousands of accounts.
    const std::string &key() const { return m_key; }
    int brokerType() const { return m_brokerType; }
    const QString &keyText() const { return m_keyText; }
    const QString &displayIdText() const { return m_displayIdText; }
    const QString &nameText() const { return m_nameText; }

private:
    ttservice::CAccountDataPtr m_accountData;
    std::string m_key;
    int m_brokerType;
    QString m_keyText;
    QString m_displayIdText;
    QString m_nameText;
};

using CAccountPtr = boost::shared_ptr<CAccount>;

} // namespace TC
