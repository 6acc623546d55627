#pragma once

#include "utils/CDeliveryGuard.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace utils {

// Pushes from host threads for a widget that only needs the latest state of
// each record: positions pushed many times a second for the same bond.
// From any thread, handle().post(key, f) hands over f as the latest change of
// `key`, replacing one of the same key not yet run. On the GUI thread the
// changes run in batches, in the order their keys first arrived, each batch
// at most about one budget long (the rest waits for the next turn of the
// event loop, after input and painting); after each batch `afterBatch` runs
// once (totals, one announcement). Nothing runs once the owner is destroyed.
//
// The owner makes and destroys it on the GUI thread, as a member.
class CConflatingDelivery
{
public:
    // `batchSize` reports how many changes ran in the batch.
    explicit CConflatingDelivery(std::function<void(int batchSize)> afterBatch, int budgetMs = 4);
    ~CConflatingDelivery();
    CConflatingDelivery(const CConflatingDelivery &) = delete;
    CConflatingDelivery &operator=(const CConflatingDelivery &) = delete;

    struct Shared;
    class Handle
    {
    public:
        Handle() = default;
        // False when the owner is gone (f is dropped).
        bool post(const std::string &key, std::function<void()> f) const;

    private:
        friend class CConflatingDelivery;
        explicit Handle(std::weak_ptr<Shared> shared)
            : m_shared(std::move(shared))
        {
        }
        std::weak_ptr<Shared> m_shared;
    };
    Handle handle() const { return Handle(m_shared); }

    // Changes waiting, handed over or not (tests, diagnostics).
    int pending() const;

private:
    void drain();

    std::shared_ptr<Shared> m_shared;
    std::function<void(int)> m_afterBatch;
    const int m_budgetMs;
    // Taken over from the host side, waiting for their turn (GUI thread only).
    std::deque<std::string> m_order;
    std::unordered_map<std::string, std::function<void()>> m_waiting;
    CDeliveryGuard m_guard; // last member: drains stop before the rest goes
};

} // namespace utils
