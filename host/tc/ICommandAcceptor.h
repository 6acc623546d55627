#pragma once

#include "tc/CCommandRecord.h"

#include <boost/shared_ptr.hpp>

namespace TC {

// Decides whether the command centre accepts a command and which outcome its
// callback reports: the demo's simulated counter, or a test.
class ICommandAcceptor
{
public:
    virtual ~ICommandAcceptor() = default;
    // Returns whether `record` is accepted; `outcome` (success on entry) is
    // what the callback of an accepted command receives.
    virtual bool accept(const CCommandRecord &record, utils::TTError &outcome) = 0;
};

using ICommandAcceptorPtr = boost::shared_ptr<ICommandAcceptor>;

} // namespace TC
