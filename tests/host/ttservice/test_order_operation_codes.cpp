// Orders read from the counter keep the operation code they carry, known to
// the terminal or not (the UBSan build checks that no code is an invalid
// value of the order's operation type).
#include "RecordTesting.h"

#include "ttservice/CCodeOrderParam.h"

#include <climits>

namespace {

using ttservice::CCodeOrderParam;

TEST(OrderOperationCodes, everyCodeTheCounterSendsIsKeptThroughBson)
{
    for (const int code : { 0, 1052, 1053, 1045, 1094, 132096, -1, INT_MAX, INT_MIN }) {
        SCOPED_TRACE(code);
        CCodeOrderParam order;
        order.bsonValueFromObj(BSON("orderKind" << 49 << "operationType" << code));
        EXPECT_EQ(static_cast<int>(order.operationType), code);
        EXPECT_EQ(order.toBson().getIntField("operationType"), code);
        const std::string key = order.getKey();
        EXPECT_EQ(key.substr(key.rfind(ttservice::KEY_SPLITTER) + 1), std::to_string(code));
        EXPECT_EQ(static_cast<int>(roundTrip(order).operationType), code);
    }
}

} // namespace
