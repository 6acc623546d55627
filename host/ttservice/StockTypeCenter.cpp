#include "ttservice/StockTypeCenter.h"

namespace ttservice {

bool StockTypeCenter::isTypedStock(int type, const std::string &market,
                                   const std::string &code) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return m_entries.count(std::make_tuple(type, market, code)) > 0;
}

void StockTypeCenter::addTypedStock(int type, const std::string &market, const std::string &code)
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_entries.insert(std::make_tuple(type, market, code));
}

void StockTypeCenter::clear()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_entries.clear();
}

} // namespace ttservice
