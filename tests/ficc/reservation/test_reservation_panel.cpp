#include "reservation/CReservationSerialPanel.h"

#include <QMetaMethod>
#include <gtest/gtest.h>

TEST(ReservationSerialPanel, registersAsFiccPanelUnderItsTypeKey)
{
    TC::CReservationSerialPanel panel(7, nullptr);
    EXPECT_EQ(panel.panelTypeKey(), QStringLiteral("rnsl"));
    EXPECT_EQ(panel.panelId(), 7);
    EXPECT_EQ(int(panel.traderTypes()), 0x100000);
    EXPECT_FALSE(panel.isFloatingPanel());
}

TEST(ReservationSerialPanel, keepsNoParameters)
{
    TC::CReservationSerialPanel panel(1, nullptr);
    EXPECT_EQ(panel.param(), QString(""));
    panel.setParam(QStringLiteral("2//1001"));
    EXPECT_EQ(panel.param(), QString(""));
    panel.setParam(QString(10000, QChar('/')));
    EXPECT_EQ(panel.param(), QString(""));
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

    EXPECT_EQ(panel.qt_metacast("TC::CReservationSerialPanel"), static_cast<void *>(&panel));
    // Other names go to the bases.
    EXPECT_EQ(panel.qt_metacast("QWidget"), static_cast<void *>(static_cast<QWidget *>(&panel)));
    EXPECT_EQ(panel.qt_metacast("NoSuchClass"), nullptr);
    EXPECT_EQ(qobject_cast<TC::CReservationSerialPanel *>(static_cast<QObject *>(&panel)), &panel);
    EXPECT_EQ(TC::CReservationSerialPanel::tr("x"), QStringLiteral("x"));
}
