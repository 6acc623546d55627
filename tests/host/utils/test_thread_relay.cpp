#include "utils/CThreadRelay.h"

#include <QCoreApplication>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <thread>
#include <vector>

using utils::CThreadRelay;

// Each job carries plain (not atomic) data written by its poster: the
// thread-checked build reports it unless the hand-over is announced.
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
    for (int p = 0; p < kPosters; ++p) {
        ASSERT_EQ(seen[p].size(), std::size_t(kJobs)) << "poster " << p;
        for (int i = 0; i < kJobs; ++i)
            ASSERT_EQ(seen[p][i], i) << "poster " << p << " out of order";
    }
}

TEST(ThreadRelay, jobsStillQueuedWhenTheRelayGoesAreDroppedAndFreed)
{
    auto relay = std::make_unique<CThreadRelay>();
    auto captured = std::make_shared<int>(0);
    int runs = 0;
    std::thread poster([&] {
        for (int i = 0; i < 3; ++i)
            relay->post([captured, &runs] { ++runs; });
    });
    poster.join();
    EXPECT_EQ(captured.use_count(), 4);
    relay.reset();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(captured.use_count(), 1); // the dropped jobs' captures were released
}

TEST(ThreadRelay, aPoolJobRunsOnAPoolThreadWithWhatThePosterWrote)
{
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    const std::vector<int> values = { 1, 2, 3 };
    int sum = 0;
    QThread *ranOn = nullptr;
    utils::startInPool(pool, [&] {
        ranOn = QThread::currentThread();
        for (int v : values)
            sum += v;
    });
    utils::waitForPool(pool); // what the job wrote is read below
    EXPECT_EQ(sum, 6);
    EXPECT_NE(ranOn, QThread::currentThread());
}

TEST(ThreadRelay, theGuiRelayIsMadeOnTheGuiThreadAndSharedWithOtherThreads)
{
    CThreadRelay *gui = CThreadRelay::gui();
    ASSERT_NE(gui, nullptr);
    EXPECT_EQ(gui->thread(), QCoreApplication::instance()->thread());
    int runs = 0;
    std::thread worker([&] { CThreadRelay::gui()->post([&runs] { ++runs; }); });
    worker.join();
    EXPECT_EQ(runs, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}
