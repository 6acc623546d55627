#include "tc/CUserManager.h"

#include "utils/CSingletonT.h"

namespace TC {

CUserConfig *getUserConfig()
{
    return utils::CSingletonT<CUserManager>::instance()->getUserConfig();
}

} // namespace TC
