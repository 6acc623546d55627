#include "ttservice/CSubscription.h"

namespace ttservice {

CSubscription::CSubscription(int type, std::string key, Callback callback)
    : m_type(type)
    , m_key(std::move(key))
    , m_callback(std::move(callback))
{
}

bool CSubscription::matches(int type, const std::string &key) const
{
    return type == m_type && (m_key.empty() || m_key == key);
}

void CSubscription::deliver(const IDataPtr &data)
{
    Callback callback;
    {
        boost::mutex::scoped_lock lock(m_mutex);
        if (m_cancelled || !m_callback)
            return;
        // A copy, called outside the lock: the callback may cancel this
        // subscription, and a canceller never waits for a call to end.
        callback = m_callback;
    }
    callback(data);
}

void CSubscription::cancel()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_cancelled = true;
    // What the callback captured goes with the last call still running.
    m_callback.clear();
}

} // namespace ttservice
