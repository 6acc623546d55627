#include "HostServices.h"

#include "utils/CConflatingDelivery.h"
#include "utils/CDeliveryGuard.h"
#include "utils/CThreadRelay.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

using utils::CConflatingDelivery;
using utils::CDeliveryGuard;
using utils::CThreadRelay;

namespace {

TEST(DeliveryGuard, postsRunOnTheGuardsThreadOnlyWhileItLivesAndOnlyTheNewestTicketIsCurrent)
{
    auto guard = std::make_unique<CDeliveryGuard>();
    const CDeliveryGuard::Handle handle = guard->handle();
    QThread *ranOn = nullptr;
    std::atomic<int> runs { 0 };
    std::thread([&] {
        EXPECT_TRUE(handle.post([&] {
            ranOn = QThread::currentThread();
            ++runs;
        }));
    }).join();
    EXPECT_EQ(runs, 0); // not run on the worker
    drainDeliveries();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());

    EXPECT_TRUE(handle.post([&] { ++runs; }));
    EXPECT_EQ(CDeliveryGuard::inFlight(), 1);
    guard.reset();
    EXPECT_FALSE(handle.isAlive());
    EXPECT_FALSE(handle.post([&] { ++runs; }));
    drainDeliveries();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(CDeliveryGuard::inFlight(), 0);
    EXPECT_FALSE(CDeliveryGuard::Handle().post([&] { ++runs; }));

    // A guard made off the GUI thread has no event loop to deliver on.
    bool posted = true;
    std::thread([&] {
        CDeliveryGuard offGui;
        posted = offGui.handle().post([&] { ++runs; });
    }).join();
    drainDeliveries();
    EXPECT_FALSE(posted);
    EXPECT_EQ(runs, 1);

    // A new ticket makes the earlier ones stale.
    CDeliveryGuard tickets;
    const quint64 first = tickets.newTicket();
    EXPECT_TRUE(tickets.isCurrent(first));
    const quint64 second = tickets.newTicket();
    EXPECT_FALSE(tickets.isCurrent(first));
    EXPECT_TRUE(tickets.isCurrent(second));
}

} // namespace

TEST(ConflatingDelivery, latestChangePerKeyRunsInFirstArrivalOrderThenTheBatchEnds)
{
    std::vector<std::string> ran;
    std::vector<int> batches;
    CConflatingDelivery delivery([&](int size) { batches.push_back(size); }, 1000);
    const CConflatingDelivery::Handle handle = delivery.handle();
    std::thread([&] {
        handle.post("SH|019547", [&] { ran.push_back("019547 v1"); });
        handle.post("SZ|101901", [&] { ran.push_back("101901 v1"); });
        handle.post("SH|019547", [&] { ran.push_back("019547 v2"); });
    }).join();
    EXPECT_EQ(delivery.pending(), 2);
    EXPECT_TRUE(ran.empty()); // nothing runs on the host's thread
    drainDeliveries();
    EXPECT_EQ(ran, (std::vector<std::string> { "019547 v2", "101901 v1" }));
    EXPECT_EQ(batches, std::vector<int> { 2 });
    EXPECT_EQ(delivery.pending(), 0);

    auto gone = std::make_unique<CConflatingDelivery>([](int) {});
    const CConflatingDelivery::Handle orphan = gone->handle();
    gone.reset();
    EXPECT_FALSE(orphan.post("k", [] {})); // nothing is queued for an owner that is gone
}

TEST(ConflatingDelivery, aBatchStopsAtItsBudgetAndTheRestFollowsNextTurn)
{
    std::vector<int> batches;
    std::vector<int> ran;
    CConflatingDelivery delivery([&](int size) { batches.push_back(size); }, 2);
    for (int key = 0; key < 6; ++key)
        delivery.handle().post(std::to_string(key), [&, key] {
            ran.push_back(key);
            QThread::msleep(1);
        });
    QCoreApplication::processEvents(); // one turn: one batch of about two ms
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_GE(batches[0], 1);
    EXPECT_LT(batches[0], 6);
    // A change arriving meanwhile replaces the waiting one of its key.
    delivery.handle().post("5", [&] { ran.push_back(50); });
    drainDeliveries();
    EXPECT_EQ(ran, (std::vector<int> { 0, 1, 2, 3, 4, 50 }));
    EXPECT_EQ(std::accumulate(batches.begin(), batches.end(), 0), 6);
}

// Jobs carry plain data from their posters: the thread-checked build sees unannounced hand-overs.
TEST(ThreadRelay, jobsFromSeveralThreadsRunOnTheRelaysThreadOnceEachInTheirOrder)
{
    utils::CEventLoopThread thread;
    auto relay = std::make_unique<CThreadRelay>();
    relay->moveToThread(&thread);
    thread.start();
    constexpr int kPosters = 4;
    constexpr int kJobs = 500;
    std::map<int, std::vector<int>> seen; // touched on the relay's thread only
    std::atomic<int> done { 0 };
    std::atomic<bool> wrongThread { false };

    std::vector<std::thread> posters;
    for (int p = 0; p < kPosters; ++p) {
        posters.emplace_back([&, p] {
            for (int i = 0; i < kJobs; ++i) {
                const std::vector<int> values(8, i);
                relay->post([&, p, values] {
                    if (QThread::currentThread() != &thread)
                        wrongThread = true;
                    seen[p].push_back(values.back());
                    ++done;
                });
            }
        });
    }
    for (std::thread &poster : posters)
        poster.join();
    for (int i = 0; i < 2000 && done < kPosters * kJobs; ++i)
        QThread::msleep(1);
    thread.quitAndWait();
    ASSERT_EQ(done.load(), kPosters * kJobs);
    EXPECT_FALSE(wrongThread.load());
    std::vector<int> inOrder(kJobs);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    for (int p = 0; p < kPosters; ++p)
        EXPECT_EQ(seen[p], inOrder) << "poster " << p;
}
