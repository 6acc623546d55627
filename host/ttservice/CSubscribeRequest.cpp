#include "ttservice/CSubscribeRequest.h"

namespace ttservice {

CSubscribeRequest::CSubscribeRequest(CSubscriptionPtr subscription)
    : m_subscription(std::move(subscription))
{
}

CSubscribeRequest::~CSubscribeRequest()
{
    cancel();
}

void CSubscribeRequest::cancel()
{
    m_subscription->cancel();
}

} // namespace ttservice
