#include "common/SoftAssert.h"

#include "LogCapture.h"

#include <log4cxx/level.h>

#include <gtest/gtest.h>

namespace {

struct Table
{
    int *rows = nullptr;
    int reached = 0;

    // Returns -1 when the impossible happened, else the first row.
    int firstRow()
    {
        FICC_ASSERT(rows, return -1);
        ++reached;
        return rows[0];
    }
    int sumSkippingHoles(const std::vector<int *> &cells)
    {
        int sum = 0;
        for (int *cell : cells) {
            FICC_ASSERT(cell != nullptr, continue);
            sum += *cell;
        }
        return sum;
    }
};

} // namespace

TEST(SoftAssert, aStateThatCannotHappenIsLoggedOnceAsAnErrorAndRecoveredFrom)
{
    LogCapture log;
    Table table;
    EXPECT_EQ(table.firstRow(), -1);
    EXPECT_EQ(table.reached, 0);
    ASSERT_EQ(log.count("unexpected state: \"rows\" does not hold"), 1);
    EXPECT_EQ(log.levelOf("unexpected state"), log4cxx::Level::ERROR_INT);
    // Where it happened, in the log's own notation, and who it happened to.
    const std::string line = log.messages().front();
    EXPECT_NE(line.find("test_soft_assert:"), std::string::npos) << line;
    EXPECT_NE(line.find("Table::firstRow"), std::string::npos) << line;

    int row = 7;
    table.rows = &row;
    EXPECT_EQ(table.firstRow(), 7);
    EXPECT_EQ(log.count("unexpected state"), 1) << "a holding condition logs nothing";

    int a = 2, b = 3;
    EXPECT_EQ(table.sumSkippingHoles({ &a, nullptr, &b, nullptr }), 5);
    EXPECT_EQ(log.count("\"cell != nullptr\""), 2);
}
