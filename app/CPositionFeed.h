#pragma once

#include "ttservice/CAccountData.h"
#include "ttservice/CPositionStatics.h"

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace app {

// The counter's position feed: on its own thread, every interval, each
// position of the accounts moves by a small random step around where it
// started (a few percent, never below zero) and is pushed to the account's
// subscribers, as a real counter reports fills, transfers and pledges.
class CPositionFeed
{
public:
    CPositionFeed();
    ~CPositionFeed();
    CPositionFeed(const CPositionFeed &) = delete;
    CPositionFeed &operator=(const CPositionFeed &) = delete;

    // Takes the positions the accounts hold now and starts pushing; an
    // interval of 0 or less leaves the feed stopped.
    void start(const std::vector<ttservice::CAccountDataPtr> &accounts, int intervalMs,
               unsigned seed);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    // Rounds of pushes made so far (tests).
    int rounds() const;

private:
    struct Position
    {
        ttservice::CAccountDataPtr account;
        ttservice::CPositionStaticsPtr start;
        long long volume;
    };
    void run(int intervalMs, unsigned seed);

    std::vector<Position> m_positions;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    int m_rounds = 0;
    std::thread m_thread;
};

} // namespace app
