#pragma once

#include "ttservice/CAccountDetail.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/CSubscribeRequest.h"

#include <boost/thread/mutex.hpp>
#include <boost/weak_ptr.hpp>

#include <map>
#include <unordered_map>
#include <vector>

namespace ttservice {

// The records of one account, by type and key, and the subscriptions to them.
//
// Thread-safety: every operation may be called from any thread. A pusher
// (the counter's own thread in the terminal, a worker in the demo, a test
// thread) calls updateData(); subscriber callbacks then run on that caller's
// thread, outside the lock, so a callback may read this account data again.
class CAccountData
{
public:
    using Callback = CSubscription::Callback;

    explicit CAccountData(CAccountInfoPtr accountInfo);
    CAccountData(const CAccountData &) = delete;
    CAccountData &operator=(const CAccountData &) = delete;

    const CAccountInfoPtr &getAccountInfo() const { return m_accountInfo; }
    CAccountDetailPtr getAccountDetail() const;
    // Also stored as the account's type 543 record (and announced) when not null.
    void setAccountDetail(const CAccountDetailPtr &detail);

    IDataPtr getData(int type, const std::string &key) const;
    // Replaces `out` with the records of `type` in the order they first arrived.
    void getVector(int type, std::vector<IDataPtr> &out) const;

    // Calls `callback` for new and changed records of `type` (every key when
    // `key` is empty) while the returned request is held. Null for an empty callback.
    CSubscribeRequestPtr subscribe(int type, const std::string &key, Callback callback);

    // Inserts `data` or replaces the record of the same type and key; with
    // `notify`, calls the live subscribers of that record.
    void updateData(const IDataPtr &data, bool notify);
    // Forgets the record of `type` and `key` (a declaration that was answered);
    // the others keep their order. Subscribers are not called. False when
    // there was none.
    bool removeData(int type, const std::string &key);

    // Number of subscriptions still held (tests, diagnostics).
    int subscriptionCount() const;

private:
    struct TypeTable
    {
        std::vector<IDataPtr> records; // arrival order
        std::unordered_map<std::string, size_t> indexByKey;
    };

    const CAccountInfoPtr m_accountInfo;
    mutable boost::mutex m_mutex;
    CAccountDetailPtr m_detail;
    std::map<int, TypeTable> m_tables;
    std::vector<boost::weak_ptr<CSubscription>> m_subscriptions;
};

using CAccountDataPtr = boost::shared_ptr<CAccountData>;

} // namespace ttservice
