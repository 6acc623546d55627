#include "common/DeploymentRights.h"

#include <gtest/gtest.h>

// One line per deployment: what its trader may do with the FICC panels.
TEST(DeploymentRights, eachDeploymentHasItsRights)
{
    const struct
    {
        int code;
        bool panel, operations, early, buy, sell, places, readOnly;
    } rows[] = {
        { 90, true, true, true, true, true, true, false },
        { 91, true, true, true, true, true, true, false },
        { 100, true, true, true, true, true, true, false },
        { 101, true, true, true, true, true, true, false },
        // Trades from other panels: buttons where a page exists, no FICC content.
        { 80, false, true, true, true, true, true, false },
        // Watches: every button shown, nothing sent.
        { 200, true, true, true, true, true, false, true },
        // Sells only: 提前购回 and 卖 出.
        { 400, true, false, true, false, true, true, false },
        { 92, false, false, false, false, false, false, false },
        { 0, false, false, false, false, false, false, false },
        { -1, false, false, false, false, false, false, false },
    };
    for (const auto &r : rows) {
        const TC::DeploymentRights rights = TC::deploymentRights(r.code);
        EXPECT_EQ(rights.panelContent, r.panel) << r.code;
        EXPECT_EQ(rights.agreementOperations, r.operations) << r.code;
        EXPECT_EQ(rights.earlyRepurchase, r.early) << r.code;
        EXPECT_EQ(rights.spotBuy, r.buy) << r.code;
        EXPECT_EQ(rights.spotSell, r.sell) << r.code;
        EXPECT_EQ(rights.placesOrders, r.places) << r.code;
        EXPECT_EQ(rights.readOnly, r.readOnly) << r.code;
    }
}
