// Integer fields of the records as the counter may send them: as integers, or
// as doubles, which are taken only when they fit (no undefined conversion).
#include "ttservice/IData.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

TEST(IntegerFields, doublesAreCutToWholeNumbersOnlyWhenTheyFit)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double largest = std::numeric_limits<double>::max(); // the unset double marker
    struct Case
    {
        bson::BSONObj sent;
        int asInt; // 7 when the field is left as it was
        long long asLong; // 7 when left
    };
    const Case cases[] = {
        { BSON("f" << 42), 42, 42 },
        { BSON("f" << 5000000000LL), int(5000000000LL), 5000000000LL },
        { BSON("f" << 12.9), 12, 12 },
        { BSON("f" << -12.9), -12, -12 },
        { BSON("f" << 2147483647.0), INT_MAX, 2147483647LL },
        { BSON("f" << -2147483648.0), INT_MIN, -2147483648LL },
        { BSON("f" << 2147483648.0), 7, 2147483648LL },
        { BSON("f" << 1e18), 7, 1000000000000000000LL },
        { BSON("f" << 1e19), 7, 7 },
        { BSON("f" << largest), 7, 7 },
        { BSON("f" << -largest), 7, 7 },
        { BSON("f" << inf), 7, 7 },
        { BSON("f" << std::nan("")), 7, 7 },
        { BSON("f"
               << "12"),
          7, 7 },
        { BSON("g" << 12), 7, 7 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sent.toString());
        int i = 7;
        long long l = 7;
        ttservice::readField(c.sent, "f", i);
        ttservice::readField(c.sent, "f", l);
        EXPECT_EQ(i, c.asInt);
        EXPECT_EQ(l, c.asLong);
    }
}

} // namespace
