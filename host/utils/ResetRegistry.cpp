#include "utils/ResetRegistry.h"

#include <boost/thread/mutex.hpp>

#include <utility>

namespace utils {

namespace {

struct Registry
{
    boost::mutex mutex;
    std::vector<std::pair<std::string, std::function<void()>>> resets;
};

Registry &registry()
{
    // Leaked on purpose: registrations come from static objects of several libraries.
    static auto *r = new Registry;
    return *r;
}

} // namespace

void registerReset(const std::string &name, std::function<void()> reset)
{
    Registry &r = registry();
    boost::mutex::scoped_lock lock(r.mutex);
    for (auto &entry : r.resets) {
        if (entry.first == name) {
            entry.second = std::move(reset);
            return;
        }
    }
    r.resets.emplace_back(name, std::move(reset));
}

void runResets()
{
    std::vector<std::pair<std::string, std::function<void()>>> resets;
    {
        Registry &r = registry();
        boost::mutex::scoped_lock lock(r.mutex);
        resets = r.resets;
    }
    // Outside the lock: a reset may make an object that registers its own.
    for (const auto &entry : resets)
        entry.second();
}

std::vector<std::string> registeredResets()
{
    Registry &r = registry();
    boost::mutex::scoped_lock lock(r.mutex);
    std::vector<std::string> names;
    for (const auto &entry : r.resets)
        names.push_back(entry.first);
    return names;
}

} // namespace utils
