#pragma once

#include "tc/IQueryAnswerer.h"
#include "ttservice/Types.h"
#include "utils/CDeliveryGuard.h"

#include <QObject>
#include <QString>

#include <boost/thread/mutex.hpp>

#include <deque>
#include <map>
#include <unordered_map>
#include <vector>

namespace TC {

// The terminal's connection to the trading counters: login states of the
// accounts and data queries. Reached as utils::CManualSingletonT<TC::CTradeClient>.
// Queries go to the installed answerer; without one they wait in
// pendingQueries() until someone answers them.
class CTradeClient : public QObject
{
    Q_OBJECT
public:
    CTradeClient();
    ~CTradeClient() override;

    // Unknown accounts are not logged in.
    ttservice::EBROKER_LOGIN_STATUS getLoginStatus(const std::string &key) const;
    // The states of many accounts in one go (one lock), in the order of `keys`.
    std::vector<ttservice::EBROKER_LOGIN_STATUS>
    getLoginStatuses(const std::vector<std::string> &keys) const;
    // Emits sigLoginStatusChanged when the status changes, on the client's
    // (the GUI) thread: from another thread the signal follows through the event loop.
    void setLoginStatus(const std::string &key, ttservice::EBROKER_LOGIN_STATUS status);

    // False for a null request or handler, or when the answerer refuses it.
    bool queryData(ttservice::CQueryDataReqPtr request, QueryHandler handler, int option);

    void setQueryAnswerer(IQueryAnswererPtr answerer);
    IQueryAnswererPtr queryAnswerer() const;
    // Queries taken while no answerer was installed, oldest first.
    std::vector<CQueryCall> pendingQueries() const;
    // Hands the pending queries over to the caller and forgets them.
    std::vector<CQueryCall> takePendingQueries();
    // The requests received, oldest first: the last kHistory of them. The
    // client keeps no request beyond its answer otherwise, so tables that
    // query on every refresh do not grow it without bound.
    static constexpr size_t kHistory = 256;
    std::vector<ttservice::CQueryDataReqPtr> receivedQueries() const;

    // Announces that the trading data is loaded.
    void notifyInitDataFinish();

    // No login states, no queries, no answerer.
    void reset();
    void resetForTests() { reset(); }

Q_SIGNALS:
    void sigInitDataFinish();
    void sigLoginStatusChanged(QString key);

private:
    mutable boost::mutex m_mutex;
    std::unordered_map<std::string, ttservice::EBROKER_LOGIN_STATUS> m_loginStatus;
    IQueryAnswererPtr m_answerer;
    std::vector<CQueryCall> m_pending;
    std::deque<ttservice::CQueryDataReqPtr> m_received;
    utils::CDeliveryGuard m_delivery; // login changes reported from other threads
};

} // namespace TC
