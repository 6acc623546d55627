// Uses the module as a terminal does: through the shared library and its two exported panels.
#include "reservation/CReservationSerialPanel.h"
#include "shell/CFiccOperationPanel.h"

#include "tc/CUserManager.h"
#include "tc/HostReset.h"

#include <QPointer>
#include <gtest/gtest.h>

TEST(ExportedPanels, terminalConstructsDrivesAndDestroysBothPanels)
{
    TC::resetHostForTests();
    TC::getUserConfig()->deploymentCode = 100;

    auto *host = new QWidget;
    auto *ficc = new TC::CFiccOperationPanel(1, host);
    auto *reservation = new TC::CReservationSerialPanel(2, host);
    // The module reads the terminal's own user configuration, not a copy.
    EXPECT_NE(ficc->operationWidget(), nullptr);

    TC::ITradeDockableWidget *asPanel = ficc;
    asPanel->refreshAccounts();
    asPanel->loadAccountGroupSettings();
    EXPECT_EQ(reservation->param(), QString(""));

    QPointer<QWidget> content
        = ficc->findChild<QWidget *>(QStringLiteral("zolp_ficc_operationficcwidget"));
    ASSERT_FALSE(content.isNull());
    delete host; // panels and their content go with their Qt parent
    EXPECT_TRUE(content.isNull());
    TC::resetHostForTests();
}
