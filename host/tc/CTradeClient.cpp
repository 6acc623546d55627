#include "tc/CTradeClient.h"

#include <QThread>

namespace TC {

CTradeClient::CTradeClient() = default;
CTradeClient::~CTradeClient() = default;

ttservice::EBROKER_LOGIN_STATUS CTradeClient::getLoginStatus(const std::string &key) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto it = m_loginStatus.find(key);
    return it == m_loginStatus.end() ? ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN : it->second;
}

std::vector<ttservice::EBROKER_LOGIN_STATUS>
CTradeClient::getLoginStatuses(const std::vector<std::string> &keys) const
{
    std::vector<ttservice::EBROKER_LOGIN_STATUS> statuses;
    statuses.reserve(keys.size());
    boost::mutex::scoped_lock lock(m_mutex);
    for (const std::string &key : keys) {
        const auto it = m_loginStatus.find(key);
        statuses.push_back(it == m_loginStatus.end() ? ttservice::BROKER_LOGIN_STATUS_NOT_LOGIN
                                                     : it->second);
    }
    return statuses;
}

void CTradeClient::setLoginStatus(const std::string &key, ttservice::EBROKER_LOGIN_STATUS status)
{
    {
        boost::mutex::scoped_lock lock(m_mutex);
        const auto it = m_loginStatus.find(key);
        if (it != m_loginStatus.end() && it->second == status)
            return;
        m_loginStatus[key] = status;
    }
    const QString changed = QString::fromStdString(key);
    if (QThread::currentThread() == thread()) {
        Q_EMIT sigLoginStatusChanged(changed);
        return;
    }
    // A counter reports from its own thread; the listeners are widgets. The
    // change is announced on the GUI thread, so that no call is queued to a
    // widget that may be destroyed before it runs (Qt then loses the call's
    // slot object).
    m_delivery.handle().post([this, changed] { Q_EMIT sigLoginStatusChanged(changed); });
}

bool CTradeClient::queryData(ttservice::CQueryDataReqPtr request, QueryHandler handler, int option)
{
    if (!request || !handler)
        return false;
    CQueryCall call { request, handler, option };
    IQueryAnswererPtr answerer;
    {
        boost::mutex::scoped_lock lock(m_mutex);
        m_received.push_back(request);
        if (m_received.size() > kHistory)
            m_received.pop_front();
        answerer = m_answerer;
        if (!answerer)
            m_pending.push_back(call);
    }
    // Outside the lock: an answerer may answer at once, and the handler may query again.
    return answerer ? answerer->answer(call) : true;
}

void CTradeClient::setQueryAnswerer(IQueryAnswererPtr answerer)
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_answerer = std::move(answerer);
}

IQueryAnswererPtr CTradeClient::queryAnswerer() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return m_answerer;
}

std::vector<CQueryCall> CTradeClient::pendingQueries() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return m_pending;
}

std::vector<CQueryCall> CTradeClient::takePendingQueries()
{
    boost::mutex::scoped_lock lock(m_mutex);
    std::vector<CQueryCall> taken;
    taken.swap(m_pending);
    return taken;
}

std::vector<ttservice::CQueryDataReqPtr> CTradeClient::receivedQueries() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return std::vector<ttservice::CQueryDataReqPtr>(m_received.begin(), m_received.end());
}

void CTradeClient::notifyInitDataFinish()
{
    Q_EMIT sigInitDataFinish();
}

void CTradeClient::reset()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_loginStatus.clear();
    m_answerer.reset();
    m_pending.clear();
    m_received.clear();
}

} // namespace TC
