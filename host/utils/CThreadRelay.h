#pragma once

#include <QObject>
#include <QThread>

#include <functional>

class QThreadPool;

namespace utils {

// Runs jobs handed over from any thread on the thread the relay lives on,
// in the order they were handed over, through that thread's event queue.
//
// The hand-over is announced to the thread checker the sanitized builds use:
// Qt's own queue locks are invisible to it, so without the announcement every
// job posted from one thread and run on another reads as a race on the job's
// captures. A relay is a long-lived object: jobs still queued when it is
// destroyed are dropped, unrun.
class CThreadRelay : public QObject
{
public:
    explicit CThreadRelay(QObject *parent = nullptr);
    ~CThreadRelay() override;

    // From any thread. Thread-safe as long as the relay outlives the call.
    void post(std::function<void()> job);

    // The relay of the application object's (the GUI) thread, a child of the
    // application object. Made by the first call on that thread; null before,
    // and again once the application object is gone. Safe from any thread.
    static CThreadRelay *gui();

protected:
    bool event(QEvent *event) override;
};

// Marks where one thread hands memory to another through a channel the thread
// checker cannot see (Qt's queues and thread pool): every write made before
// handOverSend(token) is visible after handOverReceive(token). No-ops in
// builds without the checker.
void handOverSend(const void *token);
void handOverReceive(const void *token);

// QThreadPool::start and waitForDone, with the hand-overs announced as above:
// after waitForPool(pool), whatever the pool's jobs wrote is visible.
void startInPool(QThreadPool &pool, std::function<void()> job);
void waitForPool(QThreadPool &pool);

// A thread running an event loop (for a relay) whose end is announced as
// above: after quitAndWait(), whatever the thread wrote is visible.
class CEventLoopThread : public QThread
{
public:
    using QThread::QThread;
    void quitAndWait();

protected:
    void run() override;
};

} // namespace utils
