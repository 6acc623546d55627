#include "ttservice/CAccountData.h"

#include <boost/make_shared.hpp>

#include <algorithm>

namespace ttservice {

CAccountData::CAccountData(CAccountInfoPtr accountInfo)
    : m_accountInfo(std::move(accountInfo))
{
}

CAccountDetailPtr CAccountData::getAccountDetail() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return m_detail;
}

void CAccountData::setAccountDetail(const CAccountDetailPtr &detail)
{
    if (detail) {
        updateData(detail, true);
        return;
    }
    boost::mutex::scoped_lock lock(m_mutex);
    m_detail.reset();
}

IDataPtr CAccountData::getData(int type, const std::string &key) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto table = m_tables.find(type);
    if (table == m_tables.end())
        return IDataPtr();
    const auto index = table->second.indexByKey.find(key);
    if (index == table->second.indexByKey.end())
        return IDataPtr();
    return table->second.records[index->second];
}

void CAccountData::getVector(int type, std::vector<IDataPtr> &out) const
{
    out.clear();
    boost::mutex::scoped_lock lock(m_mutex);
    const auto table = m_tables.find(type);
    if (table != m_tables.end())
        out = table->second.records;
}

CSubscribeRequestPtr CAccountData::subscribe(int type, const std::string &key, Callback callback)
{
    if (!callback)
        return CSubscribeRequestPtr();
    auto subscription = boost::make_shared<CSubscription>(type, key, std::move(callback));
    {
        boost::mutex::scoped_lock lock(m_mutex);
        m_subscriptions.push_back(subscription);
    }
    return boost::make_shared<CSubscribeRequest>(subscription);
}

void CAccountData::updateData(const IDataPtr &data, bool notify)
{
    if (!data)
        return;
    const int type = data->dataType();
    const std::string key = data->getKey();
    std::vector<CSubscriptionPtr> targets;
    {
        boost::mutex::scoped_lock lock(m_mutex);
        TypeTable &table = m_tables[type];
        const auto placed = table.indexByKey.try_emplace(key, table.records.size());
        if (placed.second)
            table.records.push_back(data);
        else
            table.records[placed.first->second] = data;
        if (type == DATA_TYPE_ACCOUNT_DETAIL) {
            if (auto detail = boost::dynamic_pointer_cast<CAccountDetail>(data))
                m_detail = detail;
        }
        if (notify) {
            // Drop the subscriptions whose request is gone, collect the live ones.
            auto dead = std::remove_if(m_subscriptions.begin(), m_subscriptions.end(),
                                       [](const boost::weak_ptr<CSubscription> &w) {
                                           const CSubscriptionPtr s = w.lock();
                                           return !s || !s->isActive();
                                       });
            m_subscriptions.erase(dead, m_subscriptions.end());
            for (const auto &weak : m_subscriptions) {
                CSubscriptionPtr s = weak.lock();
                if (s && s->matches(type, key))
                    targets.push_back(s);
            }
        }
    }
    for (const CSubscriptionPtr &s : targets)
        s->deliver(data);
}

bool CAccountData::removeData(int type, const std::string &key)
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto table = m_tables.find(type);
    if (table == m_tables.end())
        return false;
    TypeTable &t = table->second;
    const auto index = t.indexByKey.find(key);
    if (index == t.indexByKey.end())
        return false;
    const size_t removed = index->second;
    t.records.erase(t.records.begin() + std::ptrdiff_t(removed));
    t.indexByKey.erase(index);
    for (auto &entry : t.indexByKey) {
        if (entry.second > removed)
            --entry.second;
    }
    return true;
}

int CAccountData::subscriptionCount() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return static_cast<int>(std::count_if(m_subscriptions.begin(), m_subscriptions.end(),
                                          [](const boost::weak_ptr<CSubscription> &w) {
                                              const CSubscriptionPtr s = w.lock();
                                              return s && s->isActive();
                                          }));
}

} // namespace ttservice
