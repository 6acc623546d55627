#pragma once

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace utils {

// The receiving end of what host threads hand to a widget: query answers and
// subscription pushes. A widget keeps one guard as a member, made and
// destroyed on its own (the GUI) thread, and gives its callbacks a handle().
//
// From any thread, handle.post(f) runs f on the guard's thread, unless the
// guard has been destroyed by then: an answer that arrives after its widget
// is gone touches nothing. Requests carry a ticket; a newer ticket makes older
// answers stale, so the receiver can drop an answer meant for an account or a
// request that is no longer current.
class CDeliveryGuard
{
public:
    CDeliveryGuard();
    ~CDeliveryGuard();
    CDeliveryGuard(const CDeliveryGuard &) = delete;
    CDeliveryGuard &operator=(const CDeliveryGuard &) = delete;

    class Handle
    {
    public:
        Handle() = default;
        // False when the guard is already gone (f is then dropped at once).
        bool post(std::function<void()> f) const;
        bool isAlive() const;

    private:
        friend class CDeliveryGuard;
        struct State;
        explicit Handle(std::weak_ptr<State> state)
            : m_state(std::move(state))
        {
        }
        std::weak_ptr<State> m_state;
    };

    Handle handle() const { return Handle(m_state); }

    // Starts a new request: answers to earlier tickets are stale from now on.
    quint64 newTicket() { return ++m_ticket; }
    quint64 currentTicket() const { return m_ticket; }
    bool isCurrent(quint64 ticket) const { return ticket == m_ticket; }

    // Deliveries handed over and not yet run or dropped (tests, diagnostics).
    static int inFlight();

private:
    std::shared_ptr<Handle::State> m_state;
    quint64 m_ticket = 0;
};

struct CDeliveryGuard::Handle::State
{
    std::atomic<bool> alive { true };
    QThread *thread = nullptr;
};

} // namespace utils
