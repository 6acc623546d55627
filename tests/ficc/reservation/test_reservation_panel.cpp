#include "reservation/CReservationSerialPanel.h"

#include <QMetaMethod>
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

TEST(ReservationSerialPanel, hasItsOwnEmptyMetaObject)
{
    TC::CReservationSerialPanel panel(1, nullptr);
    const QMetaObject *mo = panel.metaObject();
    EXPECT_STREQ(mo->className(), "TC::CReservationSerialPanel");
    EXPECT_EQ(mo->methodCount(), mo->methodOffset());
    EXPECT_EQ(mo->propertyCount(), mo->propertyOffset());
    EXPECT_EQ(mo->enumeratorCount(), mo->enumeratorOffset());
    EXPECT_STREQ(mo->superClass()->className(), "TC::ITradeDockableWidget");

    EXPECT_EQ(qobject_cast<TC::CReservationSerialPanel *>(static_cast<QObject *>(&panel)), &panel);
}
