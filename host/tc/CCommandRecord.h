#pragma once

#include "ttservice/COrderComandParam.h"
#include "ttservice/COrderCommand.h"
#include "utils/TTError.h"

namespace TC {

// A command as the command centre received it, with its fate.
struct CCommandRecord
{
    int commandNo = 0;
    ttservice::COrderComandParamPtr param;
    ttservice::COrderCommandPtr command; // number and orders
    bool confirm = false; // createCommand's flag, passed through
    int option = 0; // createCommand's option, passed through
    bool accepted = false;
    utils::TTError outcome; // what the callback was (or will be) told
};

} // namespace TC
