#pragma once

#include "ttservice/CInstrumentDetail.h"

#include <boost/thread/mutex.hpp>

#include <map>

namespace ttservice {

// The instrument directory: every listed instrument by key (market +
// KEY_SPLITTER + code), so map order is market, then code. Thread-safe; the
// host may load it on its own thread while panels read it.
class CInstrumentCenter
{
public:
    using InstrumentMap = std::map<std::string, CInstrumentDetailPtr>;

    // A snapshot of the directory.
    InstrumentMap getAllInstruments() const;
    CInstrumentDetailPtr getInstrument(const std::string &market, const std::string &code) const;
    // The first instrument with `code` in map order ("SH" before "SZ").
    CInstrumentDetailPtr findByCode(const std::string &code) const;
    void addInstrument(const CInstrumentDetailPtr &instrument);
    void clear();

private:
    mutable boost::mutex m_mutex;
    InstrumentMap m_instruments;
};

} // namespace ttservice
