#pragma once

#include <boost/thread/mutex.hpp>

#include <set>
#include <string>
#include <tuple>

namespace ttservice {

// Instrument classification: which instruments belong to which type id
// (pledgeable bond kinds, repurchase varieties, ...). The host registers the
// table with its instrument data; reached as
// utils::CSingletonT<ttservice::StockTypeCenter>::instance().
class StockTypeCenter
{
public:
    bool isTypedStock(int type, const std::string &market, const std::string &code) const;
    void addTypedStock(int type, const std::string &market, const std::string &code);
    void clear();
    void resetForTests() { clear(); }

private:
    mutable boost::mutex m_mutex;
    std::set<std::tuple<int, std::string, std::string>> m_entries;
};

} // namespace ttservice
