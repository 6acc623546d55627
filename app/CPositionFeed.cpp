#include "CPositionFeed.h"

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
                          unsigned seed)
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
                m_positions.push_back({ account, position, position->usableVolume });
    }
    if (intervalMs <= 0 || m_positions.empty())
        return;
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
    std::uniform_real_distribution<double> step(-0.02, 0.02);
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_wake.wait_for(lock, std::chrono::milliseconds(intervalMs),
                                [this] { return m_stopping; }))
                return;
        }
        for (Position &p : m_positions) {
            // A step of up to 2 % of the starting volume, held between none
            // and one and a half times the start, in whole hundreds.
            const long long base = std::max<long long>(p.start->usableVolume, 100);
            const long long moved = p.volume + static_cast<long long>(step(random) * base);
            p.volume = std::max(0LL, std::min(moved, base * 3 / 2)) / 100 * 100;
            // A new record each time: the panels may still read the one before.
            auto pushed = boost::make_shared<ttservice::CPositionStatics>(*p.start);
            pushed->usableVolume = p.volume;
            pushed->totalVolume = std::max(p.start->totalVolume, p.volume);
            p.account->updateData(pushed, true);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_rounds;
    }
}

} // namespace app
