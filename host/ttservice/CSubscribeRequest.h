#pragma once

#include "ttservice/CSubscription.h"

namespace ttservice {

// What a subscriber holds. The subscription lives as long as this object:
// destroying it (or calling cancel()) ends the calls without waiting for one
// in progress on another thread (see CSubscription).
class CSubscribeRequest
{
public:
    explicit CSubscribeRequest(CSubscriptionPtr subscription);
    ~CSubscribeRequest();
    CSubscribeRequest(const CSubscribeRequest &) = delete;
    CSubscribeRequest &operator=(const CSubscribeRequest &) = delete;

    int type() const { return m_subscription->type(); }
    const std::string &key() const { return m_subscription->key(); }
    bool isActive() const { return m_subscription->isActive(); }
    void cancel();

private:
    const CSubscriptionPtr m_subscription;
};

using CSubscribeRequestPtr = boost::shared_ptr<CSubscribeRequest>;

} // namespace ttservice
