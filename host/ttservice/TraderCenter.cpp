#include "ttservice/TraderCenter.h"

#include "utils/ResetRegistry.h"

namespace ttservice {

namespace {
const utils::CResetRegistration kReset("ttservice::TraderCenter", [] {
    TraderCenter *center = TraderCenter::instance();
    center->getDataCenter()->clear();
    center->getInstCenter()->clear();
});
} // namespace

TraderCenter *TraderCenter::instance()
{
    // Never destroyed: panels may still reach it during static destruction.
    static TraderCenter *center = new TraderCenter();
    return center;
}

} // namespace ttservice
