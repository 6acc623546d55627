#include "utils/CThreadRelay.h"

#include <QCoreApplication>
#include <QEvent>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <mutex>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define UTILS_THREAD_CHECKER 1
#endif
#endif
#if defined(__SANITIZE_THREAD__)
#define UTILS_THREAD_CHECKER 1
#endif

#ifdef UTILS_THREAD_CHECKER
extern "C" void __tsan_acquire(void *addr);
extern "C" void __tsan_release(void *addr);
#endif

namespace utils {

void handOverSend(const void *token)
{
#ifdef UTILS_THREAD_CHECKER
    __tsan_release(const_cast<void *>(token));
#else
    Q_UNUSED(token);
#endif
}

void handOverReceive(const void *token)
{
#ifdef UTILS_THREAD_CHECKER
    __tsan_acquire(const_cast<void *>(token));
#else
    Q_UNUSED(token);
#endif
}

namespace {

const QEvent::Type kJobEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class CJobEvent final : public QEvent
{
public:
    explicit CJobEvent(std::function<void()> job)
        : QEvent(kJobEvent)
        , m_job(std::move(job))
    {
    }
    void run() { m_job(); }

private:
    std::function<void()> m_job;
};

class CPoolJob final : public QRunnable
{
public:
    CPoolJob(QThreadPool *pool, std::function<void()> job)
        : m_pool(pool)
        , m_job(std::move(job))
    {
    }
    void run() override
    {
        handOverReceive(this);
        m_job();
        handOverSend(m_pool); // received by waitForPool()
    }

private:
    QThreadPool *m_pool;
    std::function<void()> m_job;
};

std::atomic<CThreadRelay *> g_guiRelay { nullptr };
std::mutex g_guiRelayMutex;

} // namespace

void startInPool(QThreadPool &pool, std::function<void()> job)
{
    if (!job)
        return;
    auto *runnable = new CPoolJob(&pool, std::move(job)); // deleted by the pool once run
    handOverSend(runnable);
    pool.start(runnable);
}

void waitForPool(QThreadPool &pool)
{
    pool.waitForDone();
    handOverReceive(&pool);
}

void CEventLoopThread::run()
{
    QThread::run();
    handOverSend(this);
}

void CEventLoopThread::quitAndWait()
{
    quit();
    wait();
    handOverReceive(this);
}

CThreadRelay::CThreadRelay(QObject *parent)
    : QObject(parent)
{
}

CThreadRelay::~CThreadRelay()
{
    CThreadRelay *self = this;
    g_guiRelay.compare_exchange_strong(self, nullptr);
}

void CThreadRelay::post(std::function<void()> job)
{
    if (!job)
        return;
    auto *event = new CJobEvent(std::move(job));
    // Everything the job captured was written before this point.
    handOverSend(event);
    QCoreApplication::postEvent(this, event);
}

bool CThreadRelay::event(QEvent *event)
{
    // First, before the event is read at all: Qt's queue handed it over.
    handOverReceive(event);
    if (event->type() != kJobEvent)
        return QObject::event(event);
    static_cast<CJobEvent *>(event)->run();
    return true;
}

CThreadRelay *CThreadRelay::gui()
{
    if (CThreadRelay *relay = g_guiRelay.load())
        return relay;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return nullptr;
    const std::lock_guard<std::mutex> lock(g_guiRelayMutex);
    if (CThreadRelay *relay = g_guiRelay.load())
        return relay;
    auto *relay = new CThreadRelay(app);
    relay->setObjectName(QStringLiteral("guiThreadRelay"));
    g_guiRelay = relay;
    return relay;
}

} // namespace utils
