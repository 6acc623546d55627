// Declarations waiting for confirmation, confirmed from the demo terminal.
#include "DemoInput.h"

#include "ttservice/CRepurchasePendingOrder.h"
#include "xp/CScriptedDialogResponder.h"
#include "xp/CSmallNoNormalButton.h"

#include <QJsonArray>

namespace {

using ConfirmDemo = demo::DemoTerminalTest;
using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;
using demo::waitFor;

} // namespace

// The 待确认申报 table of the terminal answers a declaration with the code of
// its type: the exchange makes the deal and the table asks again.
TEST_F(ConfirmDemo, declarationsConfirmedFromTheTerminalAreJournalledAndLeaveTheTable)
{
    write("host.ini", "[exchange]\nanswerDelayMs=0\n[feed]\npositionIntervalMs=0\n");
    TC::CHostClock::setToday(QDate(2026, 12, 9));
    open(QStringLiteral("2//1001")); // 成交申报
    QWidget *page = this->page();
    ASSERT_NE(page, nullptr);
    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);

    // The declarations waiting for trader T402: QR2026120011, desk T301 lends
    // 3,000,000 against 40,000 张 of 019547.
    for (XP::CAutoKeyboardLineEdit *cell : page->findChildren<XP::CAutoKeyboardLineEdit *>())
        if (cell->isVisible() && cell->id() == 19)
            cell->setText(QStringLiteral("T402"));
    const auto [confirmWidget, table] = agreementTable(29);
    ASSERT_NE(table, nullptr);
    demo::clickVisible<XP::CSmallNoNormalButton>(confirmWidget, QStringLiteral("刷新"));
    ASSERT_TRUE(waitFor([table = table] {
        table->flush();
        return table->rowCount() == 1;
    })) << "T402's one deal declaration is listed";
    EXPECT_EQ(table->itemText(0, 4), QStringLiteral("成交申报"));
    const double funds = paper::funds();
    const long long available = paper::usable("SH", "019547");
    demo::clickCell(table, 0, 25);
    ASSERT_TRUE(host->exchange()->waitUntilIdle(10000));

    // The delivery makes the table ask again: the declaration is answered.
    EXPECT_TRUE(waitFor([table = table] {
        table->flush();
        return table->rowCount() == 0;
    })) << "the answered declaration left the table";
    const auto made = paper::contracts().back();
    EXPECT_EQ(made->referenceNo, "QR2026120011");
    EXPECT_EQ(made->contractStatus, '1');
    EXPECT_EQ(made->direction, '1');
    EXPECT_EQ(made->trader, "T402");
    ASSERT_EQ(made->pledgedBonds.size(), 1u);
    EXPECT_EQ(made->pledgedBonds[0]->pledgeVolume, 40000);
    EXPECT_DOUBLE_EQ(made->maturitySettleAmount, 3002312.88);
    EXPECT_DOUBLE_EQ(paper::funds(), funds + 3000000.00);
    EXPECT_EQ(paper::usable("SH", "019547"), available - 40000);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front()["orders"].toArray().at(0).toObject()["operationType"].toInt(), 1065);
}

TEST_F(ConfirmDemo, earlyRepurchaseDeclarationConfirmedFromTheTerminalIsJournalled)
{
    open(QStringLiteral("2//1003")); // 提前购回
    // The form's trader comes from the contract the contract table chose.
    XP::COddEvenRowTable *early = agreementTable(29).second;
    ASSERT_NE(early, nullptr);
    ASSERT_TRUE(waitFor([early] { return early->rowCount() > 0; })) << "no declarations shown";
    early->flush();
    ASSERT_EQ(early->rowCount(), 2) << "880001's two 提前购回 declarations to T401";
    ASSERT_EQ(early->itemText(0, 2), QStringLiteral("SH")) << "declarations in reference order";
    EXPECT_EQ(early->itemText(0, 4), QStringLiteral("提前购回"));
    EXPECT_EQ(early->itemText(0, 14), QStringLiteral("T401"));
    DeclarationPtr shown;
    for (const DeclarationPtr &d :
         paper::records<ttservice::CRepurchasePendingOrder>(ttservice::DATA_TYPE_PENDING_ORDER))
        if (d->declareType == '2' && d->trader == "T401"
            && QString::fromStdString(d->market) == early->itemText(0, 2))
            shown = d;
    ASSERT_TRUE(shown);
    XP::CScriptedDialogResponder responder;
    responder.answerButton(QMessageBox::Yes);
    demo::clickCell(early, 0, 25);

    EXPECT_EQ(responder.askedCount(XP::CScriptedDialogResponder::ASK_QUESTION), 1);
    const QList<QJsonObject> lines = journalLines("journal.jsonl");
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject order = lines.front()["orders"].toArray().at(0).toObject();
    EXPECT_EQ(order["accountId"].toString(), QStringLiteral("880001"));
    EXPECT_EQ(order["operationType"].toInt(), 1072);
    EXPECT_EQ(order["stockCode"].toString(), QStringLiteral("206063"));
    const QJsonObject agreement = order["agreementParam"].toObject();
    EXPECT_EQ(agreement["pendingOrderRef"].toString(),
              QString::fromStdString(shown->pendingOrderRef));
    EXPECT_EQ(agreement["trader"].toString(), QStringLiteral("T401"));
    EXPECT_EQ(agreement["counterpartyTrader"].toString(), QStringLiteral("T301"));
    EXPECT_EQ(agreement["bondCode"].toString(), QStringLiteral("019666"));
    EXPECT_EQ(agreement["subjectType"].toInt(), 2);
    EXPECT_DOUBLE_EQ(agreement["repurchaseAmount"].toDouble(), shown->maturitySettleAmount);
    EXPECT_EQ(order["volume"].toString(), QStringLiteral("80000"));
}
