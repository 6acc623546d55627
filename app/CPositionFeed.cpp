#include "CPositionFeed.h"

#include "ttservice/CPositionStatics.h"
#include "ttservice/DataTypes.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <algorithm>
#include <chrono>
#include <random>

namespace app {

CPositionFeed::CPositionFeed() = default;

CPositionFeed::~CPositionFeed()
{
    stop();
}

void CPositionFeed::start(const std::vector<ttservice::CAccountDataPtr> &accounts, int intervalMs,
                          unsigned seed, Executor executor)
{
    stop();
    m_positions.clear();
    for (const ttservice::CAccountDataPtr &account : accounts) {
        if (!account)
            continue;
        std::vector<ttservice::IDataPtr> records;
        account->getVector(ttservice::DATA_TYPE_POSITION_STATICS, records);
        for (const ttservice::IDataPtr &record : records)
            if (auto position = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(record))
                m_positions.push_back({ account, position->getKey(),
                                        std::max<long long>(position->usableVolume, 100) });
    }
    if (intervalMs <= 0 || m_positions.empty())
        return;
    m_executor = std::move(executor);
    m_stopping = false;
    m_thread = std::thread([this, intervalMs, seed] { run(intervalMs, seed); });
}

void CPositionFeed::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

int CPositionFeed::rounds() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rounds;
}

void CPositionFeed::run(int intervalMs, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> share(-0.02, 0.02);
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_wake.wait_for(lock, std::chrono::milliseconds(intervalMs),
                                [this] { return m_stopping; }))
                return;
        }
        // Steps of up to 2 % of the starting volume, in whole hundreds.
        std::vector<long long> steps;
        for (const Position &p : m_positions)
            steps.push_back(static_cast<long long>(share(random) * p.base) / 100 * 100);
        if (m_executor)
            m_executor([this, steps] { applyRound(steps); });
        else
            applyRound(steps);
    }
}

void CPositionFeed::applyRound(const std::vector<long long> &steps)
{
    for (size_t i = 0; i < m_positions.size() && i < steps.size(); ++i) {
        Position &p = m_positions[i];
        const auto current = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(
            p.account->getData(ttservice::DATA_TYPE_POSITION_STATICS, p.key));
        if (!current)
            continue;
        const long long drift = std::max(-p.base / 2, std::min(p.base / 2, p.drift + steps[i]));
        const long long usable = std::max(0LL, current->usableVolume + (drift - p.drift));
        p.drift = drift;
        if (usable == current->usableVolume)
            continue;
        // A new record each time: the panels may still read the one before.
        auto pushed = boost::make_shared<ttservice::CPositionStatics>(*current);
        pushed->totalVolume += usable - current->usableVolume;
        pushed->usableVolume = usable;
        p.account->updateData(pushed, true);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_rounds;
}

} // namespace app
