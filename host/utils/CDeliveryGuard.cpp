#include "utils/CDeliveryGuard.h"

#include "utils/CThreadRelay.h"
#include "utils/TTLog.h"

#include <QCoreApplication>
#include <QThread>

namespace utils {

namespace {

std::atomic<int> g_inFlight { 0 };

} // namespace

CDeliveryGuard::CDeliveryGuard()
    : m_state(std::make_shared<Handle::State>())
{
    m_state->thread = QThread::currentThread();
    // Made here, on the GUI thread, so that it is there before any delivery.
    CThreadRelay::gui();
}

CDeliveryGuard::~CDeliveryGuard()
{
    // Deliveries already posted check this flag on this same thread before
    // they run, so none of them can run past this point.
    m_state->alive = false;
}

int CDeliveryGuard::inFlight()
{
    return g_inFlight.load();
}

bool CDeliveryGuard::Handle::isAlive() const
{
    const std::shared_ptr<State> state = m_state.lock();
    return state && state->alive;
}

bool CDeliveryGuard::Handle::post(std::function<void()> f) const
{
    const std::shared_ptr<State> state = m_state.lock();
    if (!state || !state->alive || !f)
        return false;
    QCoreApplication *app = QCoreApplication::instance();
    CThreadRelay *relay = CThreadRelay::gui();
    if (!app || !relay)
        return false;
    // The relay is a child of the application object and lives as long as the
    // event loop, on the GUI thread where every receiver of the panels lives:
    // posting to it never races with the receiver's destruction, unlike
    // posting to the receiver.
    if (state->thread != app->thread()) {
        TT_LOG_ERROR_FOR(state.get(),
                         "a delivery guard lives off the GUI thread; delivery dropped");
        return false;
    }
    ++g_inFlight;
    const std::weak_ptr<State> weak = m_state;
    relay->post([weak, f = std::move(f)] {
        --g_inFlight;
        const std::shared_ptr<State> target = weak.lock();
        if (target && target->alive)
            f();
    });
    return true;
}

} // namespace utils
