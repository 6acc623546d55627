#pragma once

// What every order of the FICC panels goes through, whatever the business:
// the check of the account it is for, and the manual command that hands it
// to the host's command centre.
#include "ttservice/CCodeOrderParam.h"

#include <QString>

#include <string>
#include <vector>

namespace TC {

// True when orders may go out for the account `accountKey`: chosen, known to
// the host and logged in. Otherwise `error` says why, as the trader sees it.
bool checkOrderAccount(const QString &accountKey, QString &error);

// Hands `orders` to the host's command centre as one manual FICC command,
// with the host's confirmation; `commandText` describes it (may be empty).
void sendManualCommand(const std::vector<ttservice::CCodeOrderParam> &orders,
                       const std::string &commandText);

} // namespace TC
