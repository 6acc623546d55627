#pragma once

#include "ttservice/CCodeOrderParam.h"
#include "ttservice/COrderCommand.h"

#include <QString>

namespace TC {

// What an order placed within an instruction must match among the
// instruction's orders besides account and side.
enum class EInstructionMatch {
    ACCOUNT_AND_SIDE,
    ACCOUNT_SIDE_AND_INSTRUMENT,
};

// An order placed within an instruction must fit the volume still open in
// every matching order of that instruction, and match at least one. True
// without an `instruction` (the order is not placed within one); otherwise
// false with the trader's message in `error` when `volume` does not fit.
bool checkInstructionLimit(const ttservice::COrderCommand *instruction,
                           const ttservice::CCodeOrderParam &order, long long volume,
                           EInstructionMatch match, QString &error);

} // namespace TC
