#pragma once

#include "tc/IQueryAnswerer.h"

#include <QThreadPool>

#include <atomic>

namespace app {

// Answers the trade client's queries from the data centre, on a worker thread
// after a short delay, as a real counter answers on its own thread.
class CSimulatedCounter : public TC::IQueryAnswerer
{
public:
    explicit CSimulatedCounter(int delayMs = 80);
    ~CSimulatedCounter() override;

    bool answer(const TC::CQueryCall &call) override;

    // Stops answering and waits for the answers in flight.
    void shutdown();

private:
    QThreadPool m_pool;
    int m_delayMs;
    std::atomic<bool> m_stopped { false };
};

} // namespace app
