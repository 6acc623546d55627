#pragma once

#include "ttservice/IData.h"

#include <boost/function.hpp>
#include <boost/thread/mutex.hpp>

#include <atomic>

namespace ttservice {

// The account data's side of a subscription: what it calls, and whether it
// still may. Once cancel() returns no new call starts; a call already running
// on the pusher's thread finishes there. Cancelling never waits for it: a
// callback may itself wait for the thread that cancels (a GUI thread), so a
// callback hands what it got to its subscriber through a delivery guard and
// never touches the subscriber directly. The callback may cancel its own
// subscription.
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
    boost::mutex m_mutex; // guards m_callback; never held during a call
};

using CSubscriptionPtr = boost::shared_ptr<CSubscription>;

} // namespace ttservice
