#include "ttservice/TraderCenter.h"

namespace ttservice {

TraderCenter *TraderCenter::instance()
{
    // Never destroyed: panels may still reach it during static destruction.
    static TraderCenter *center = new TraderCenter();
    return center;
}

} // namespace ttservice
