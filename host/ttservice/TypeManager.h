#pragma once

#include <boost/thread/mutex.hpp>

#include <map>
#include <string>
#include <utility>

namespace ttservice {

// Display names of enumeration values ("ttservice::EStkProp" 48 -> "非限售股").
// Starts with the terminal's default table; the names do not depend on the
// trader type in this host. An unknown value reads as its decimal text.
class TypeManager
{
public:
    static TypeManager *instance();

    std::string getEnumItemName(const std::string &enumName, int value, int traderType) const;
    void setEnumItemName(const std::string &enumName, int value, const std::string &name);
    // Back to the default table.
    void resetToDefaults();

private:
    TypeManager();

    mutable boost::mutex m_mutex;
    std::map<std::pair<std::string, int>, std::string> m_names;
};

} // namespace ttservice
