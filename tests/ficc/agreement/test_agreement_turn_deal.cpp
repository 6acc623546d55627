#include "AgreementTableRecords.h"

#include "agreement/CAgreementTurnDealWidget.h"
#include "xp/CSmallNoNormalButton.h"
#include "xp/CSmallNormalButton.h"

namespace {

constexpr int kTurnDealChosen = 1292;

struct List
{
    FakeOperation op { TC::OPT_AGREEMENT_INTENTION_REPO, "10001" };
    EventSink sink;
    TC::CAgreementTurnDealWidget *list = new TC::CAgreementTurnDealWidget(&sink);

    XP::COddEvenRowTable *rows() const { return list->table(); }
    XP::CSmallNormalButton *button(int row) const
    {
        return qobject_cast<XP::CSmallNormalButton *>(rows()->itemWidget(row, 13));
    }
    // Answers the list's query for intention orders.
    void answer(const std::vector<ttservice::IDataPtr> &records,
                const utils::TTError &error = utils::TTError())
    {
        const ttservice::CQueryDataReqPtr request = answerQuery(records, error);
        ASSERT_TRUE(request);
        EXPECT_EQ(request->dataType, 793);
    }
};

} // namespace

class TurnDealTest : public AgreementFormFixture
{
};

TEST_F(TurnDealTest, listsEachSidesOrdersWithATurnButtonOnReverseRepoRowsOnly)
{
    List l;
    l.sink.resize(900, 300);
    l.sink.show();
    l.list->setOperationWidget(&l.op);
    EXPECT_FALSE(l.list->refreshButton()->isEnabled());
    for (int deployment : { 100, 200 }) {
        SCOPED_TRACE(deployment);
        TC::getUserConfig()->deploymentCode = deployment;
        if (deployment == 200)
            l.list->refreshButton()->click();
        l.answer(
            { intentionOrder("Y1", '0'), intentionOrder("Y2", '1'), intentionOrder("Y3", '1') });
        EXPECT_TRUE(l.list->refreshButton()->isEnabled());
        ASSERT_EQ(l.rows()->rowCount(), 3);
        // The ratio is scaled by 100, the rate shown as stored.
        EXPECT_EQ((QStringList { l.rows()->itemText(0, 2), l.rows()->itemText(0, 4),
                                 l.rows()->itemText(0, 6), l.rows()->itemText(1, 6),
                                 l.rows()->itemText(0, 7), l.rows()->itemText(0, 11),
                                 l.rows()->headerText(13) }),
                  (QStringList { "90.00", "2000000.00", "正回购", "逆回购", "0.035", "20260219",
                                 "  操作  " }));
        EXPECT_EQ(l.button(0), nullptr);
        ASSERT_NE(l.button(1), nullptr);
        EXPECT_EQ(l.button(1)->text(), QStringLiteral("转成交"));
        // A read-only deployment shows the button but cannot press it.
        EXPECT_EQ(l.button(1)->isEnabled(), deployment != 200);
        if (deployment == 200)
            continue;
        // 转成交 on the third row announces the third order.
        l.button(2)->click();
        ASSERT_FALSE(l.sink.events.empty());
        EXPECT_EQ(l.sink.events.back().event, kTurnDealChosen);
        EXPECT_EQ(l.sink.events.back().text, QStringLiteral("Y3"));
    }
    // The other side asks once for its orders; back on the first, its cache fills the list.
    FakeOperation reverse(TC::OPT_AGREEMENT_INTENTION_REVERSE_REPO, "10001");
    l.list->setOperationWidget(&reverse);
    l.answer({ intentionOrder("V1", '1') });
    EXPECT_EQ(l.rows()->rowCount(), 1);
    l.list->setOperationWidget(&l.op);
    EXPECT_TRUE(tradeClient()->pendingQueries().empty());
    EXPECT_EQ(l.rows()->rowCount(), 3);
    // A failed answer keeps nothing and reports the reload.
    l.list->refreshButton()->click();
    l.answer({}, utils::TTError(-1, "timeout"));
    EXPECT_EQ(l.op.reloads, 1);
    EXPECT_EQ(l.rows()->rowCount(), 0);
    EXPECT_TRUE(l.list->cachedOrders(TC::OPT_AGREEMENT_INTENTION_REPO).empty());
}
