#pragma once

#include "tc/CUserConfig.h"

namespace TC {

// Owner of the logged-in user's configuration; reached as
// utils::CSingletonT<TC::CUserManager>::instance().
class CUserManager
{
public:
    CUserConfig *getUserConfig() { return &m_userConfig; }
    void resetForTests() { m_userConfig.reset(); }

private:
    CUserConfig m_userConfig;
};

// Shortcut for utils::CSingletonT<TC::CUserManager>::instance()->getUserConfig().
CUserConfig *getUserConfig();

} // namespace TC
