#include "ttservice/TypeManager.h"

#include "utils/ResetRegistry.h"

namespace ttservice {

namespace {

struct EnumItem
{
    const char *enumName;
    int value;
    const char *name;
};

// Character-coded enumerations: the value is the code of the digit ('0' = 48).
const EnumItem kDefaultItems[] = {
    { "ttservice::EStkProp", '0', "非限售股" },
    { "ttservice::EStkProp", '1', "限售股" },

    // What a deal declaration waiting for confirmation asks of this side; the
    // confirmation table lists each under its operation (成交申报 14006,
    // 到期续做 14010, 提前购回 14009, 质押券变更 14013, 解除质押 14015).
    { "ttservice::EDeclareType", '0', "成交申报" },
    { "ttservice::EDeclareType", '1', "到期续做" },
    { "ttservice::EDeclareType", '2', "提前购回" },
    { "ttservice::EDeclareType", '3', "质押券变更" },
    { "ttservice::EDeclareType", '4', "解除质押" },

    // The contract tables keep the outstanding contracts: '1', '2' and '8'.
    { "ttservice::EContractStatus", '0', "未生效" },
    { "ttservice::EContractStatus", '1', "正常" },
    { "ttservice::EContractStatus", '2', "到期" },
    { "ttservice::EContractStatus", '3', "已购回" },
    { "ttservice::EContractStatus", '4', "已续做" },
    { "ttservice::EContractStatus", '5', "已解除质押" },
    { "ttservice::EContractStatus", '6', "已撤销" },
    { "ttservice::EContractStatus", '7', "违约" },
    { "ttservice::EContractStatus", '8', "逾期" },
};

} // namespace

const utils::CResetRegistration kTypeNamesReset("ttservice::TypeManager",
                                                [] { TypeManager::instance()->resetToDefaults(); });

TypeManager *TypeManager::instance()
{
    static TypeManager *manager = new TypeManager();
    return manager;
}

TypeManager::TypeManager()
{
    resetToDefaults();
}

std::string TypeManager::getEnumItemName(const std::string &enumName, int value, int) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    const auto it = m_names.find(std::make_pair(enumName, value));
    return it == m_names.end() ? std::to_string(value) : it->second;
}

void TypeManager::setEnumItemName(const std::string &enumName, int value, const std::string &name)
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_names[std::make_pair(enumName, value)] = name;
}

void TypeManager::resetToDefaults()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_names.clear();
    for (const EnumItem &item : kDefaultItems)
        m_names[std::make_pair(std::string(item.enumName), item.value)] = item.name;
}

} // namespace ttservice
