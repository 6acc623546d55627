#pragma once

#include "tc/ICommandAcceptor.h"

#include <QObject>
#include <QString>

#include <boost/function.hpp>

#include <map>
#include <vector>

namespace TC {

// The terminal's order command centre. Every command handed to it is numbered
// (1, 2, ...), kept and announced. Accepted commands become instructions that
// getCommand() finds; their callback is called later, through the event loop
// (a queued call), as a counter reports on its own time. Commands handed over
// before a reset() never call back after it. GUI thread only.
class CItCommandCenter : public QObject
{
    Q_OBJECT
public:
    using Callback = boost::function<void(utils::TTError, int)>;

    CItCommandCenter();
    ~CItCommandCenter() override;

    // True when the command was accepted (by default, every non-null command).
    bool createCommand(ttservice::COrderComandParamPtr param, Callback callback, bool confirm,
                       int option);

    // An accepted command or an instruction registered with addCommand; null otherwise.
    ttservice::COrderCommandPtr getCommand(int commandNo) const;
    // Registers an instruction; a command number of 0 or less gets the next number.
    void addCommand(ttservice::COrderCommandPtr command);

    // Every command handed over, in order.
    const std::vector<CCommandRecord> &commands() const { return m_records; }

    void setCommandAcceptor(ICommandAcceptorPtr acceptor) { m_acceptor = std::move(acceptor); }

    // No commands, numbering from 1 again, no acceptor.
    void reset();
    void resetForTests() { reset(); }

Q_SIGNALS:
    void sigCommandCreated(int commandNo);
    void sigCommandRejected(int commandNo, QString reason);

private:
    int nextCommandNo() { return ++m_lastCommandNo; }

    int m_lastCommandNo = 0;
    unsigned m_generation = 0; // bumped by reset() to silence older callbacks
    ICommandAcceptorPtr m_acceptor;
    std::vector<CCommandRecord> m_records;
    std::map<int, ttservice::COrderCommandPtr> m_known;
};

} // namespace TC
