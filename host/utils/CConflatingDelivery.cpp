#include "utils/CConflatingDelivery.h"

#include <QElapsedTimer>

#include <mutex>

namespace utils {

struct CConflatingDelivery::Shared
{
    std::mutex mutex;
    std::deque<std::string> order;
    std::unordered_map<std::string, std::function<void()>> latest;
    bool drainPosted = false;
    CDeliveryGuard::Handle delivery;
    CConflatingDelivery *owner = nullptr; // used only by drains, on the GUI thread
};

CConflatingDelivery::CConflatingDelivery(std::function<void(int)> afterBatch, int budgetMs)
    : m_shared(std::make_shared<Shared>())
    , m_afterBatch(std::move(afterBatch))
    , m_budgetMs(budgetMs)
{
    m_shared->delivery = m_guard.handle();
    m_shared->owner = this;
}

CConflatingDelivery::~CConflatingDelivery() = default;

bool CConflatingDelivery::Handle::post(const std::string &key, std::function<void()> f) const
{
    const std::shared_ptr<Shared> shared = m_shared.lock();
    if (!shared || !f)
        return false;
    std::lock_guard<std::mutex> lock(shared->mutex);
    auto found = shared->latest.find(key);
    if (found != shared->latest.end()) {
        found->second = std::move(f);
        return true;
    }
    shared->order.push_back(key);
    shared->latest.emplace(key, std::move(f));
    if (shared->drainPosted)
        return true;
    shared->drainPosted = true;
    Shared *raw = shared.get();
    // The guard drops the drain when the owner is gone; while it lives, the
    // owner outlives the drain, which runs on its thread.
    return shared->delivery.post([raw] { raw->owner->drain(); });
}

int CConflatingDelivery::pending() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return static_cast<int>(m_shared->latest.size() + m_waiting.size());
}

void CConflatingDelivery::drain()
{
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        for (std::string &key : m_shared->order) {
            auto arrived = m_shared->latest.find(key);
            auto waiting = m_waiting.find(key);
            if (waiting == m_waiting.end()) {
                m_waiting.emplace(key, std::move(arrived->second));
                m_order.push_back(std::move(key));
            } else {
                waiting->second = std::move(arrived->second);
            }
        }
        m_shared->order.clear();
        m_shared->latest.clear();
        m_shared->drainPosted = false;
    }
    QElapsedTimer spent;
    spent.start();
    int ran = 0;
    while (!m_order.empty() && (ran == 0 || spent.elapsed() < m_budgetMs)) {
        auto next = m_waiting.find(m_order.front());
        std::function<void()> f = std::move(next->second);
        m_waiting.erase(next);
        m_order.pop_front();
        f();
        ++ran;
    }
    if (m_afterBatch)
        m_afterBatch(ran);
    if (m_order.empty())
        return;
    // What the budget left waits for the next turn, behind input and painting.
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    if (!m_shared->drainPosted) {
        m_shared->drainPosted = true;
        Shared *raw = m_shared.get();
        m_shared->delivery.post([raw] { raw->owner->drain(); });
    }
}

} // namespace utils
