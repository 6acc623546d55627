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
    boost::recursive_mutex::scoped_lock lock(m_callMutex);
    if (m_cancelled || !m_callback)
        return;
    // A copy: the callback may cancel this subscription and clear m_callback.
    const Callback callback = m_callback;
    callback(data);
}

void CSubscription::cancel()
{
    boost::recursive_mutex::scoped_lock lock(m_callMutex);
    m_cancelled = true;
    // Releases what the callback captured as soon as the subscriber lets go.
    m_callback.clear();
}

} // namespace ttservice
