#pragma once

#include "tc/CHostMessage.h"

#include <QObject>
#include <QString>

#include <boost/thread/mutex.hpp>

#include <vector>

namespace TC {

// The terminal's message list. Keeps every message in order and announces it;
// the demo shows them in its message list. Reached as
// utils::CManualSingletonT<TC::CMsgService>::instance().
class CMsgService : public QObject
{
    Q_OBJECT
public:
    enum EMsgType {
        MSG_TYPE_SYSTEM = 1,
        MSG_TYPE_ORDER = 2,
        MSG_TYPE_DEAL = 3,
        MSG_TYPE_ALARM = 4, // "报警信息": input errors of the panels
    };

    CMsgService();
    ~CMsgService() override;

    // `popup` and `sound` ask for a pop-up and a sound; this host shows neither.
    void showMsg(const std::string &text, int type, int level, bool popup, bool sound);

    std::vector<CHostMessage> messages() const;
    void clear();
    void resetForTests() { clear(); }

    // "报警信息" for type 4; the type number as text for unknown types.
    static QString typeName(int type);

Q_SIGNALS:
    void sigMessage(QString text, int type, int level);

private:
    mutable boost::mutex m_mutex;
    std::vector<CHostMessage> m_messages;
};

} // namespace TC
