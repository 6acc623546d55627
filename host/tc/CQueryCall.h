#pragma once

#include "ttservice/CQueryDataReq.h"
#include "utils/TTError.h"

#include <boost/function.hpp>

#include <vector>

namespace TC {

// The handler of a trade client query: called once with the outcome, the
// records found and the counter's raw answer.
using QueryHandler
    = boost::function<void(utils::TTError, std::vector<ttservice::IDataPtr>, bson::BSONObj)>;

// One call of CTradeClient::queryData, as handed to the answerer.
struct CQueryCall
{
    ttservice::CQueryDataReqPtr request;
    QueryHandler handler;
    int option = 0;

    // Calls the handler (when there is one) with the answer.
    void answer(const utils::TTError &error, const std::vector<ttservice::IDataPtr> &records,
                const bson::BSONObj &raw = bson::BSONObj()) const
    {
        if (handler)
            handler(error, records, raw);
    }
};

} // namespace TC
