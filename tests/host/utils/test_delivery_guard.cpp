#include "utils/CDeliveryGuard.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using utils::CDeliveryGuard;

namespace {

void runPosted()
{
    QCoreApplication::processEvents();
}

TEST(DeliveryGuard, postFromAnotherThreadRunsOnTheGuardsThread)
{
    CDeliveryGuard guard;
    const CDeliveryGuard::Handle handle = guard.handle();
    QThread *ranOn = nullptr;
    int runs = 0;
    bool posted = false;
    std::thread worker([&] {
        posted = handle.post([&] {
            ranOn = QThread::currentThread();
            ++runs;
        });
    });
    worker.join();
    ASSERT_TRUE(posted);
    EXPECT_EQ(runs, 0); // not run on the worker
    runPosted();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ranOn, QCoreApplication::instance()->thread());
    EXPECT_EQ(CDeliveryGuard::inFlight(), 0);
}

TEST(DeliveryGuard, nothingRunsOnceTheGuardIsGone)
{
    auto guard = std::make_unique<CDeliveryGuard>();
    const CDeliveryGuard::Handle handle = guard->handle();
    EXPECT_TRUE(handle.isAlive());
    std::atomic<int> runs { 0 };

    // Posted while the guard lives, from another thread, processed after it went.
    std::thread worker([&] { EXPECT_TRUE(handle.post([&] { ++runs; })); });
    worker.join();
    EXPECT_TRUE(handle.post([&] { ++runs; }));
    EXPECT_EQ(CDeliveryGuard::inFlight(), 2);
    guard.reset();
    EXPECT_FALSE(handle.isAlive());
    // Posted after the guard went.
    EXPECT_FALSE(handle.post([&] { ++runs; }));
    runPosted();
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(CDeliveryGuard::inFlight(), 0);

    EXPECT_FALSE(CDeliveryGuard::Handle().post([&] { ++runs; }));
    EXPECT_FALSE(CDeliveryGuard::Handle().isAlive());
}

TEST(DeliveryGuard, aGuardOffTheGuiThreadDeliversNothing)
{
    std::atomic<int> runs { 0 };
    bool posted = true;
    std::thread worker([&] {
        CDeliveryGuard guard;
        posted = guard.handle().post([&] { ++runs; });
    });
    worker.join();
    runPosted();
    EXPECT_FALSE(posted);
    EXPECT_EQ(runs, 0);
}

TEST(DeliveryGuard, aNewTicketMakesEarlierOnesStale)
{
    CDeliveryGuard guard;
    EXPECT_EQ(guard.currentTicket(), 0u);
    const quint64 first = guard.newTicket();
    EXPECT_TRUE(guard.isCurrent(first));
    const quint64 second = guard.newTicket();
    EXPECT_NE(first, second);
    EXPECT_FALSE(guard.isCurrent(first));
    EXPECT_TRUE(guard.isCurrent(second));
    EXPECT_EQ(guard.currentTicket(), second);
}

} // namespace
