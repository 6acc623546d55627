#pragma once

// What every order of the FICC panels goes through, whatever the business:
// the check of the account it is for, and the manual command that hands it
// to the host's command centre.
#include "tc/CAccount.h"
#include "ttservice/CCodeOrderParam.h"
#include "ttservice/Types.h"

#include <QString>

#include <string>
#include <vector>

namespace TC {

// The account an order is for, as the host knows it when the trader places
// the order. readOrderAccount (OrderSources.h) reads it from the host.
struct OrderAccount
{
    QString key; // the form's account key; empty when none is chosen
    CAccountPtr account; // the user configuration's account of that key; null when unknown
    // The trade client's login state of the account; not logged in when unknown.
    int loginStatus = ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN;
};

// True when orders may go out for `account`: chosen, known to the host and
// logged in. Otherwise `error` says why, as the trader sees it.
bool checkOrderAccount(const OrderAccount &account, QString &error);

// Hands `orders` to the host's command centre as one manual FICC command,
// with the host's confirmation; `commandText` describes it (may be empty).
void sendManualCommand(const std::vector<ttservice::CCodeOrderParam> &orders,
                       const std::string &commandText);

} // namespace TC
