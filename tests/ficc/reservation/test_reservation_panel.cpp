#include "reservation/CReservationSerialPanel.h"

#include <gtest/gtest.h>

TEST(ReservationSerialPanel, registersAsFiccPanelUnderItsTypeKeyWithoutParameters)
{
    TC::CReservationSerialPanel panel(7, nullptr);
    EXPECT_EQ(panel.panelTypeKey(), QStringLiteral("rnsl"));
    EXPECT_EQ(panel.panelId(), 7);
    EXPECT_EQ(int(panel.traderTypes()), 0x100000);
    EXPECT_FALSE(panel.isFloatingPanel());
    // It keeps no parameters.
    for (const QString &text : { QStringLiteral("2//1001"), QString(10000, QChar('/')) }) {
        panel.setParam(text);
        EXPECT_EQ(panel.param(), QString(""));
    }
}
