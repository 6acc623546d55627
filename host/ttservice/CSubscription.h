#pragma once

#include "ttservice/IData.h"

#include <boost/function.hpp>
#include <boost/thread/recursive_mutex.hpp>

#include <atomic>

namespace ttservice {

// The account data's side of a subscription: what it calls, and whether it
// still may. Cancelling waits for a call in progress on another thread, so
// once cancel() returns the callback is never entered again. The callback may
// cancel its own subscription (the lock is recursive).
class CSubscription
{
public:
    using Callback = boost::function<void(IDataPtr)>;

    CSubscription(int type, std::string key, Callback callback);

    int type() const { return m_type; }
    const std::string &key() const { return m_key; }
    bool isActive() const { return !m_cancelled; }
    // The empty key subscribes to every record of the type.
    bool matches(int type, const std::string &key) const;

    void deliver(const IDataPtr &data);
    void cancel();

private:
    const int m_type;
    const std::string m_key;
    Callback m_callback;
    std::atomic<bool> m_cancelled { false };
    boost::recursive_mutex m_callMutex;
};

using CSubscriptionPtr = boost::shared_ptr<CSubscription>;

} // namespace ttservice
