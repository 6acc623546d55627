#include "tc/CMsgService.h"

namespace TC {

CMsgService::CMsgService() = default;
CMsgService::~CMsgService() = default;

void CMsgService::showMsg(const std::string &text, int type, int level, bool, bool)
{
    {
        boost::mutex::scoped_lock lock(m_mutex);
        m_messages.push_back(CHostMessage { text, type, level });
    }
    Q_EMIT sigMessage(QString::fromStdString(text), type, level);
}

std::vector<CHostMessage> CMsgService::messages() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return m_messages;
}

void CMsgService::clear()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_messages.clear();
}

QString CMsgService::typeName(int type)
{
    switch (type) {
    case MSG_TYPE_SYSTEM:
        return QStringLiteral("系统信息");
    case MSG_TYPE_ORDER:
        return QStringLiteral("委托信息");
    case MSG_TYPE_DEAL:
        return QStringLiteral("成交信息");
    case MSG_TYPE_ALARM:
        return QStringLiteral("报警信息");
    default:
        return QString::number(type);
    }
}

} // namespace TC
