#include "AgreementTableRecords.h"

#include "agreement/CAgreementTurnDealWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"

using TurnDealTest = AgreementFormFixture;

TEST_F(TurnDealTest, listsEachSidesOrdersWithATurnButtonOnReverseRepoRowsOnly)
{
    FakeOperation op(TC::OPT_AGREEMENT_INTENTION_REPO, "10001");
    EventSink sink;
    auto *list = new TC::CAgreementTurnDealWidget(&sink);
    XP::COddEvenRowTable *rows = list->table();
    const auto button = [rows](int row) {
        return qobject_cast<XP::CSmallNormalButton *>(rows->itemWidget(row, 13));
    };
    sink.resize(900, 300);
    sink.show();
    list->setOperationWidget(&op);
    EXPECT_FALSE(list->refreshButton()->isEnabled());
    for (int deployment : { 100, 200 }) {
        SCOPED_TRACE(deployment);
        TC::getUserConfig()->deploymentCode = deployment;
        if (deployment == 200)
            list->refreshButton()->click();
        answerQuery(
            793,
            { intentionOrder("Y1", '0'), intentionOrder("Y2", '1'), intentionOrder("Y3", '1') });
        EXPECT_TRUE(list->refreshButton()->isEnabled());
        ASSERT_EQ(rows->rowCount(), 3);
        // The ratio is scaled by 100, the rate shown as stored.
        EXPECT_EQ(line(rows->itemText(0, 2), rows->itemText(0, 4), rows->itemText(0, 6),
                       rows->itemText(1, 6), rows->itemText(0, 7), rows->itemText(0, 11)),
                  "90.00 2000000.00 正回购 逆回购 0.035 20260219");
        EXPECT_EQ(rows->headerText(13), QStringLiteral("  操作  "));
        EXPECT_EQ(button(0), nullptr);
        ASSERT_NE(button(1), nullptr);
        EXPECT_EQ(button(1)->text(), QStringLiteral("转成交"));
        // A read-only deployment shows the button but cannot press it.
        EXPECT_EQ(button(1)->isEnabled(), deployment != 200);
        if (deployment == 200)
            continue;
        // 转成交 on the third row announces (1292) the third order.
        button(2)->click();
        ASSERT_FALSE(sink.events.empty());
        EXPECT_EQ(line(sink.events.back().event, sink.events.back().text), "1292 Y3");
    }
    // The other side asks once for its orders; back on the first, its cache fills the list.
    FakeOperation reverse(TC::OPT_AGREEMENT_INTENTION_REVERSE_REPO, "10001");
    list->setOperationWidget(&reverse);
    answerQuery(793, { intentionOrder("V1", '1') });
    EXPECT_EQ(rows->rowCount(), 1);
    list->setOperationWidget(&op);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty());
    EXPECT_EQ(rows->rowCount(), 3);
    // A failed answer keeps nothing and reports the reload.
    list->refreshButton()->click();
    answerQuery(793, {}, utils::TTError(-1, "timeout"));
    EXPECT_EQ(line(op.reloads, rows->rowCount()), "1 0");
    EXPECT_TRUE(list->cachedOrders(TC::OPT_AGREEMENT_INTENTION_REPO).empty());
}
