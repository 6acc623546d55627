#include "CTerminalWindow.h"
#include "TerminalFixture.h"

#include "shell/CFiccOperationPanel.h"
#include "tc/CUserManager.h"

#include <QJsonArray>
#include <QListWidget>
#include <QSettings>
#include <QTreeWidget>

namespace {

using TerminalTest = TerminalFixture;

ttservice::COrderComandParamPtr agreementCommand()
{
    auto command = boost::make_shared<ttservice::COrderComandParam>();
    command->commandKind = 0x100000;
    command->manual = true;
    ttservice::CCodeOrderParam order;
    order.accountInfo = boost::make_shared<ttservice::CAccountInfo>();
    order.accountInfo->accountId = "880001";
    order.orderKind = 49;
    order.operationType = ttservice::EOperationType(1052);
    order.stock.market = "SH";
    order.stock.stockCode = "204001";
    order.volume = 1000;
    order.paramKind = 2;
    ttservice::CRepurchaseAgreementParam agreement;
    agreement.bondCode = "019547";
    agreement.repurchaseRate = 0.0235;
    agreement.repurchaseDays = 7;
    agreement.counterpartyDealerName = "澄湖证券";
    order.agreementParam = agreement.toBson();
    command->orders.push_back(order);
    return command;
}

} // namespace

TEST_F(TerminalTest, windowJournalsCommandsDecodedFromBsonAndListsMessages)
{
    TC::getUserConfig()->deploymentCode = 100;
    app::CTerminalWindow window(dir.path());
    window.setJournalFile(path("journal.jsonl"));
    auto *center = utils::CManualSingletonT<TC::CItCommandCenter>::instance();
    ASSERT_TRUE(center->createCommand(agreementCommand(), {}, true, 0));
    ASSERT_TRUE(center->createCommand(agreementCommand(), {}, true, 0));
    utils::CManualSingletonT<TC::CMsgService>::instance()->showMsg("请输入正确的回购天数", 4, 1,
                                                                   false, false);

    EXPECT_EQ(window.journalView()->topLevelItemCount(), 2);
    ASSERT_EQ(window.messageList()->count(), 1);
    EXPECT_TRUE(
        window.messageList()->item(0)->text().contains(QStringLiteral("请输入正确的回购天数")));
    EXPECT_TRUE(window.messageList()->item(0)->text().contains(QStringLiteral("报警信息")));

    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0]["commandNo"].toInt(), 1);
    EXPECT_EQ(lines[1]["commandNo"].toInt(), 2);
    EXPECT_EQ(lines[1]["commandKind"].toInt(), 0x100000);
    const QJsonObject order = lines[1]["orders"].toArray().at(0).toObject();
    EXPECT_EQ(order["accountId"].toString(), "880001");
    EXPECT_EQ(order["operationType"].toInt(), 1052);
    EXPECT_EQ(order["volume"].toString(), "1000");
    EXPECT_TRUE(order["price"].isNull()) << "an unset price is shown as unset";
    const QJsonObject agreement = order["agreementParam"].toObject();
    EXPECT_EQ(agreement["bondCode"].toString(), "019547");
    EXPECT_DOUBLE_EQ(agreement["repurchaseRate"].toDouble(), 0.0235);
    EXPECT_EQ(agreement["repurchaseDays"].toInt(), 7);
    EXPECT_EQ(agreement["counterpartyDealerName"].toString(), QStringLiteral("澄湖证券"));
    EXPECT_TRUE(agreement["maturitySettleDate"].isNull());
}

TEST_F(TerminalTest, chosenModeAndOperationSurviveARestart)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    {
        app::CTerminalWindow window(dir.path());
        // Nothing saved yet: the terminal opens on the agreement page's 提前购回.
        window.restorePanels();
        EXPECT_EQ(window.ficcPanel()->param(), QStringLiteral("2//1003"));
        window.ficcPanel()->setParam(QStringLiteral("2//1004"));
        window.ficcPanel()->setCurrentOperationType(TC::OPT_SPOT_BOND_TRADE);
        window.savePanels();
    }
    QSettings s(path("layout.ini"), QSettings::IniFormat);
    EXPECT_EQ(s.value("panels/ficc").toString(), QStringLiteral("3//1004"));
    EXPECT_EQ(s.value("panels/rnsl").toString(), QString(""));

    app::CTerminalWindow again(dir.path());
    EXPECT_EQ(again.ficcPanel()->param(), QStringLiteral("1//1000"));
    again.restorePanels();
    EXPECT_EQ(again.ficcPanel()->param(), QStringLiteral("3//1004"));
}
