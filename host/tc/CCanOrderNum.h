#pragma once

namespace TC {

// Orderable quantities of one account, in 张, for the account list.
struct CCanOrderNum
{
    long long buyVolume = 0;
    long long sellVolume = 0;
};

} // namespace TC
