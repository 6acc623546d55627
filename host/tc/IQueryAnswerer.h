#pragma once

#include "tc/CQueryCall.h"

#include <boost/shared_ptr.hpp>

namespace TC {

// Answers the trade client's queries: the demo's simulated counter answers
// from its data set on a worker thread; tests answer at once, later or never.
class IQueryAnswerer
{
public:
    virtual ~IQueryAnswerer() = default;
    // Takes the call; returns false when the query is refused (queryData then
    // returns false and the handler must not be called).
    virtual bool answer(const CQueryCall &call) = 0;
};

using IQueryAnswererPtr = boost::shared_ptr<IQueryAnswerer>;

} // namespace TC
