#pragma once

// Where the order forms read what the order rules check: the host's services,
// at the moment the trader places an order. The rules themselves read no
// service, so that they can be given any account, login state or instruction.
#include "common/OrderPlacement.h"
#include "ttservice/COrderCommand.h"

#include <QString>

#include <string>

namespace TC {

// The user configuration's account of `accountKey` and the trade client's
// login state of it (not logged in when there is no such account).
OrderAccount readOrderAccount(const QString &accountKey);

// The command centre's instruction numbered `instructionKey`; null when the
// key is not a number or names no instruction the command centre knows.
ttservice::COrderCommandPtr readInstruction(const std::string &instructionKey);

} // namespace TC
