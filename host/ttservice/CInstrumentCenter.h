#pragma once

#include "ttservice/CInstrumentDetail.h"

#include <boost/thread/mutex.hpp>

#include <atomic>
#include <cstdint>
#include <map>
#include <unordered_map>

namespace ttservice {

// The instrument directory: every listed instrument by key (market +
// KEY_SPLITTER + code), so map order is market, then code. Thread-safe; the
// host may load it on its own thread while panels read it.
class CInstrumentCenter
{
public:
    using InstrumentMap = std::map<std::string, CInstrumentDetailPtr>;

    CInstrumentCenter();

    // A snapshot of the directory.
    InstrumentMap getAllInstruments() const;
    CInstrumentDetailPtr getInstrument(const std::string &market, const std::string &code) const;
    // The first instrument with `code` in map order ("SH" before "SZ").
    CInstrumentDetailPtr findByCode(const std::string &code) const;
    void addInstrument(const CInstrumentDetailPtr &instrument);
    void clear();

    // Changes with every change of the directory, and differs between any two
    // states of any directory of the process: editors rebuild their lists of
    // instruments only when it moved on.
    std::uint64_t generation() const { return m_generation.load(std::memory_order_acquire); }

private:
    mutable boost::mutex m_mutex;
    InstrumentMap m_instruments;
    // Code -> the first instrument with that code in map order.
    std::unordered_map<std::string, CInstrumentDetailPtr> m_firstByCode;
    std::atomic<std::uint64_t> m_generation;
};

} // namespace ttservice
