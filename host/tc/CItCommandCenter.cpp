#include "tc/CItCommandCenter.h"

#include <QMetaObject>

#include <boost/make_shared.hpp>

namespace TC {

CItCommandCenter::CItCommandCenter() = default;
CItCommandCenter::~CItCommandCenter() = default;

bool CItCommandCenter::createCommand(ttservice::COrderComandParamPtr param, Callback callback,
                                     bool confirm, int option)
{
    if (!param)
        return false;
    CCommandRecord record;
    record.commandNo = nextCommandNo();
    record.param = param;
    record.command = boost::make_shared<ttservice::COrderCommand>();
    record.command->commandNo = record.commandNo;
    record.command->orders = param->orders;
    record.confirm = confirm;
    record.option = option;
    record.accepted = m_acceptor ? m_acceptor->accept(record, record.outcome) : true;
    m_records.push_back(record);

    if (!record.accepted) {
        Q_EMIT sigCommandRejected(record.commandNo,
                                  QString::fromStdString(record.outcome.message()));
        return false;
    }
    m_known[record.commandNo] = record.command;
    Q_EMIT sigCommandCreated(record.commandNo);
    if (callback) {
        const unsigned generation = m_generation;
        const int commandNo = record.commandNo;
        const utils::TTError outcome = record.outcome;
        QMetaObject::invokeMethod(
            this,
            [this, generation, callback, outcome, commandNo]() {
                if (generation == m_generation)
                    callback(outcome, commandNo);
            },
            Qt::QueuedConnection);
    }
    return true;
}

ttservice::COrderCommandPtr CItCommandCenter::getCommand(int commandNo) const
{
    const auto it = m_known.find(commandNo);
    return it == m_known.end() ? ttservice::COrderCommandPtr() : it->second;
}

void CItCommandCenter::addCommand(ttservice::COrderCommandPtr command)
{
    if (!command)
        return;
    if (command->commandNo <= 0)
        command->commandNo = nextCommandNo();
    else if (command->commandNo > m_lastCommandNo)
        m_lastCommandNo = command->commandNo; // later commands never reuse its number
    m_known[command->commandNo] = command;
}

void CItCommandCenter::reset()
{
    ++m_generation;
    m_lastCommandNo = 0;
    m_acceptor.reset();
    m_records.clear();
    m_known.clear();
}

} // namespace TC
