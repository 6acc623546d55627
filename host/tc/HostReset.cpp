#include "tc/HostReset.h"

#include "utils/ResetRegistry.h"

namespace TC {

void resetHostForTests()
{
    // Every service registered its own reset when it was made (a service
    // never made holds nothing), so no list here can miss one.
    utils::runResets();
}

} // namespace TC
