#pragma once

// The host's services as the tests reach them, and what they recorded.
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CTradeClient.h"
#include "utils/CDeliveryGuard.h"
#include "utils/CSingletonT.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <string>
#include <vector>

inline TC::CTradeClient *tradeClient()
{
    return utils::CManualSingletonT<TC::CTradeClient>::instance();
}

inline TC::CItCommandCenter *commandCenter()
{
    return utils::CManualSingletonT<TC::CItCommandCenter>::instance();
}

inline TC::CMsgService *msgService()
{
    return utils::CManualSingletonT<TC::CMsgService>::instance();
}

// The commands placed so far, in order.
inline const std::vector<TC::CCommandRecord> &commands()
{
    return commandCenter()->commands();
}

// The texts of the messages shown to the trader so far, in order.
inline std::vector<std::string> messages()
{
    std::vector<std::string> texts;
    for (const TC::CHostMessage &m : msgService()->messages())
        texts.push_back(m.text);
    return texts;
}

// Runs the GUI thread's queue until every answer posted by a host thread arrived (at most 5 s).
inline void drainDeliveries()
{
    QElapsedTimer waited;
    waited.start();
    do
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    while (utils::CDeliveryGuard::inFlight() > 0 && waited.elapsed() < 5000);
}
