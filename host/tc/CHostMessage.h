#pragma once

#include <string>

namespace TC {

// A message of the host message list.
struct CHostMessage
{
    std::string text; // UTF-8
    int type = 0; // CMsgService::typeName
    int level = 0;
};

} // namespace TC
