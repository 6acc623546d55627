#include "ttservice/CInstrumentCenter.h"

namespace ttservice {

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
    for (const auto &entry : m_instruments) {
        if (entry.second->instrumentCode == code)
            return entry.second;
    }
    return CInstrumentDetailPtr();
}

void CInstrumentCenter::addInstrument(const CInstrumentDetailPtr &instrument)
{
    if (!instrument)
        return;
    boost::mutex::scoped_lock lock(m_mutex);
    m_instruments[instrument->getKey()] = instrument;
}

void CInstrumentCenter::clear()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_instruments.clear();
}

} // namespace ttservice
