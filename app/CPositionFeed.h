#pragma once

#include "ttservice/CAccountData.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace app {

// The counter's position feed: every interval, each position of the accounts
// moves by a small random step and is pushed to the account's subscribers,
// as a real counter reports fills and transfers made elsewhere. A step is
// applied to the position as it stands then, so the paper exchange's own
// changes (a pledge, a fill) are kept; the steps of a position add up to at
// most half its starting volume either way, and it never goes below zero.
class CPositionFeed
{
public:
    // Runs a round of changes where the other writers of positions run
    // (the exchange's thread), so that no change is lost between them.
    using Executor = std::function<void(std::function<void()>)>;

    CPositionFeed();
    ~CPositionFeed();
    CPositionFeed(const CPositionFeed &) = delete;
    CPositionFeed &operator=(const CPositionFeed &) = delete;

    // Takes the positions the accounts hold now and starts the timer thread;
    // an interval of 0 or less leaves the feed stopped. Without an executor
    // the rounds run on the feed's own thread.
    void start(const std::vector<ttservice::CAccountDataPtr> &accounts, int intervalMs,
               unsigned seed, Executor executor = Executor());
    // Stops the timer; call before what the executor runs on goes.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }
    // Rounds applied so far (tests).
    int rounds() const;

private:
    struct Position
    {
        ttservice::CAccountDataPtr account;
        std::string key;
        long long base; // the starting volume the steps are sized by
        long long drift = 0; // the sum of the steps applied
    };
    void run(int intervalMs, unsigned seed);
    void applyRound(const std::vector<long long> &steps);

    std::vector<Position> m_positions; // changed by rounds only, one at a time
    Executor m_executor;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    int m_rounds = 0;
    std::thread m_thread;
};

} // namespace app
