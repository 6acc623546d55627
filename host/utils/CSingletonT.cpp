#include "utils/CSingletonT.h"

#include <map>
#include <memory>
#include <string>

namespace utils {
namespace detail {

SingletonSlot &singletonSlot(const char *typeName)
{
    // Leaked on purpose: instances may be reached during static destruction.
    static auto *slots = new std::map<std::string, std::unique_ptr<SingletonSlot>>();
    static boost::mutex guard;
    boost::mutex::scoped_lock lock(guard);
    std::unique_ptr<SingletonSlot> &slot = (*slots)[typeName];
    if (!slot)
        slot.reset(new SingletonSlot);
    return *slot;
}

} // namespace detail
} // namespace utils
