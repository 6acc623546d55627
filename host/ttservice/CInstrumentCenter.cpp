#include "ttservice/CInstrumentCenter.h"

namespace ttservice {

namespace {
// One sequence for every directory, so that a directory made anew never
// repeats a generation an editor saw of the one before.
std::atomic<std::uint64_t> g_generations { 0 };
std::uint64_t nextGeneration()
{
    return g_generations.fetch_add(1, std::memory_order_relaxed) + 1;
}
} // namespace

CInstrumentCenter::CInstrumentCenter()
    : m_generation(nextGeneration())
{
}

CInstrumentCenter::InstrumentMap CInstrumentCenter::getAllInstruments() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return m_instruments;
}

CInstrumentDetailPtr CInstrumentCenter::getInstrument(const std::string &market,
                                                      const std::string &code) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto it = m_instruments.find(market + KEY_SPLITTER + code);
    return it == m_instruments.end() ? CInstrumentDetailPtr() : it->second;
}

CInstrumentDetailPtr CInstrumentCenter::findByCode(const std::string &code) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto it = m_firstByCode.find(code);
    return it == m_firstByCode.end() ? CInstrumentDetailPtr() : it->second;
}

void CInstrumentCenter::addInstrument(const CInstrumentDetailPtr &instrument)
{
    if (!instrument)
        return;
    boost::mutex::scoped_lock lock(m_mutex);
    const std::string key = instrument->getKey();
    m_instruments[key] = instrument;
    CInstrumentDetailPtr &first = m_firstByCode[instrument->instrumentCode];
    if (!first || first->getKey() >= key)
        first = instrument;
    m_generation.store(nextGeneration(), std::memory_order_release);
}

void CInstrumentCenter::clear()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_instruments.clear();
    m_firstByCode.clear();
    m_generation.store(nextGeneration(), std::memory_order_release);
}

} // namespace ttservice
