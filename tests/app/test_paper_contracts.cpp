// The paper exchange: fills, deals, contract operations, declarations, new days and refusals.
#include "CContractRules.h"
#include "CDeskDeclarations.h"
#include "TerminalFixture.h"

#include "utils/DateText.h"

#include <atomic>
#include <set>
#include <tuple>

namespace {

using namespace paper;
using Rules = app::CContractRules;
using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

// The declarations the desks made about `contractNo`.
std::vector<DeclarationPtr> declarationsAbout(const std::string &contractNo)
{
    std::vector<DeclarationPtr> out;
    for (const DeclarationPtr &d : declarations())
        if (Rules::contractOfRef(d->pendingOrderRef) == contractNo)
            out.push_back(d);
    return out;
}

CCodeOrderParam onContract(int operation, const std::string &no, double amount,
                           const Terms &more = {})
{
    return agreementOrder(operation, 1000, [&](CRepurchaseAgreementParam &a) {
        a.contractNo = no;
        a.repurchaseAmount = amount;
        if (more)
            more(a);
    });
}

// A pledge change of contract `no`: `in` 张 of `inCode` for `out` 张 of `outCode`.
CCodeOrderParam swap(const std::string &no, const std::string &inCode, long long in,
                     const std::string &outCode, int out)
{
    return agreementOrder(1069, in, [&](CRepurchaseAgreementParam &a) {
        a.contractNo = no;
        a.bondMarket = "SH";
        a.bondCode = inCode;
        a.swapBondCode = outCode;
        if (!outCode.empty())
            a.swapPledgeVolume = out;
        a.repurchaseAmount = 0;
    });
}

// An answer with `operation` to the declaration `ref`.
CCodeOrderParam answer(int operation, const std::string &ref)
{
    return agreementOrder(operation, 10, [&](CRepurchaseAgreementParam &a) {
        a.pendingOrderRef = ref;
        if (const DeclarationPtr d = declaration(ref)) {
            a.trader = d->trader;
            a.repurchaseAmount = d->repurchaseAmount;
        }
    });
}

// Counts the pushes of the account's records of `type` under `key` (all when empty).
struct Pushes
{
    Pushes(int type, const std::string &key = std::string())
        : request(account()->subscribe(type, key, [this](const ttservice::IDataPtr &) { ++n; }))
    {
    }
    std::atomic<int> n { 0 };
    ttservice::CSubscribeRequestPtr request;
};

using PaperExchangeTest = PaperDeskTest; // spot orders and deals, from the deal day

TEST_F(PaperExchangeTest, spotOrdersWithADeskFillAtTheirPriceAndPushFundsAndPosition)
{
    Pushes positions(ttservice::DATA_TYPE_POSITION_STATICS),
        details(ttservice::DATA_TYPE_ACCOUNT_DETAIL);
    ASSERT_DOUBLE_EQ(funds(), 52000000.00);

    // 1,000 张 at 101.25 plus 1.8765 accrued: 103,126.50, from the desk's trader code.
    send({ spot(1052, "SZ", "101501", 101.25, 1000, "T101") });
    EXPECT_DOUBLE_EQ(funds(), 51896873.50);
    EXPECT_EQ(position("SZ", "101501")->usableVolume, 51000);
    EXPECT_EQ(position("SZ", "101501")->totalVolume, 51000);

    // A sale to a desk named by its trader's name: 2,000 张 at 99.5 plus 1.2345.
    send({ spot(1053, "SH", "019547", 99.5, 2000, "宋知微") });
    EXPECT_DOUBLE_EQ(funds(), 51896873.50 + 201469.00);
    EXPECT_EQ(position("SH", "019547")->usableVolume, 118000);

    // A bond the account did not hold becomes a position of its own.
    ASSERT_EQ(position("SH", "019666"), nullptr);
    send({ spot(1052, "SH", "019666", 100, 10, "T301") });
    ASSERT_NE(position("SH", "019666"), nullptr);
    EXPECT_EQ(position("SH", "019666")->usableVolume, 10);
    EXPECT_EQ(position("SH", "019666")->instrumentName, "22国债01");

    EXPECT_EQ(positions.n, 3);
    EXPECT_EQ(details.n, 3);
    EXPECT_EQ(messages().filter(QStringLiteral("成交: 880001 ")).size(), 3)
        << messages().join('\n').toStdString();
}

TEST_F(PaperExchangeTest, anAcceptedDealBecomesARunningContractWithItsBondPledged)
{
    Pushes positions(ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547"),
        contractPushes(ttservice::DATA_TYPE_AGREEMENT_CONTRACT);
    const size_t before = contracts().size();
    std::vector<std::string> delivered; // the delivery reports the terminal's tables follow
    host.exchange()->setDeliveryListener(
        [&](const ttservice::CAccountInfoPtr &, bool, const std::string &text) {
            delivered.push_back(text);
        });

    send({ deal() });

    ASSERT_EQ(contracts().size(), before + 1);
    const auto c = contracts().back();
    EXPECT_EQ(c->contractNo, "PX202612090001");
    EXPECT_EQ(summary(*c),
              "SH side 1, status 1, 20261209 to 20261216 (7 days), amount 80000 at "
              "0.021, ratio 0.8, due 80032.22, desk 1002 青屿证券 T101, bonds SH "
              "019547 16国债19 1000");
    EXPECT_EQ(c->accountInfo, account()->getAccountInfo());

    // The bond stays held but is no longer available; the repo side has the money.
    EXPECT_EQ(position("SH", "019547")->usableVolume, 119000);
    EXPECT_EQ(position("SH", "019547")->totalVolume, 120000);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
    EXPECT_EQ(positions.n, 1);
    EXPECT_EQ(contractPushes.n, 1);
    EXPECT_EQ(delivered, (std::vector<std::string> { "委托已受理", "对手方接受成交申报" }));
    EXPECT_EQ(messages(),
              (QStringList { "成交申报已送达对手方 青屿证券 葛书宁",
                             QStringLiteral("对手方 青屿证券 葛书宁 接受成交申报: 合同 %1, 质押 "
                                            "019547 1000 张, 融入 80000.00")
                                 .arg(QString::fromStdString(c->contractNo)) }));
}

class SlowDeskTest : public PaperDeskTest
{
protected:
    int answerDelay() const override { return 300; }
};

TEST_F(SlowDeskTest, theDeskChecksThePositionAgainWhenItAnswers)
{
    // Each fits the 120,000 张 alone, the first exactly; answered after both, the second does not.
    send({ deal("019547", 120000),
           deal("019547", 70000, [](CRepurchaseAgreementParam &a) { a.repurchaseRate = 0.022; }) });
    const QStringList told = messages();
    ASSERT_EQ(told.size(), 4) << told.join('\n').toStdString();
    EXPECT_EQ(told[0], told[1]);
    EXPECT_TRUE(told[2].contains(QStringLiteral("接受成交申报")));
    EXPECT_EQ(told[3],
              QStringLiteral("委托被拒绝: 019547 16国债19 可用数量不足: 需要 70000 张, "
                             "可用 0 张"));
    EXPECT_EQ(position("SH", "019547")->usableVolume, 0);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
}

// The shipped data and the deal() made on the deal day, maturing on 16 December.
class PaperContractsTest : public PaperDeskTest
{
protected:
    void SetUp() override
    {
        PaperDeskTest::SetUp();
        send({ deal() });
        dealNo = contracts().back()->contractNo;
        clearMessages();
    }

    // Answers the declaration `ref` as the 待确认申报 table does.
    void confirm(const std::string &ref)
    {
        const auto d = declaration(ref);
        ASSERT_TRUE(d) << ref;
        send({ confirmation(*d) });
    }

    void startDay(const QDate &day)
    {
        TC::CHostClock::setToday(day);
        host.exchange()->startTradingDay();
        ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));
    }

    std::string dealNo;
};

TEST(ContractRules, operationsProposalsAndStatusFollowTheContractsStateAndDay)
{
    Contract c;
    c.firstSettleDate = 20261209;
    c.maturitySettleDate = 20261216;
    const QDate first(2026, 12, 9), inside(2026, 12, 10), maturity(2026, 12, 16),
        after(2026, 12, 17);
    const std::tuple<Rules::EAction, int, QDate, bool> cases[] = {
        { Rules::MATURITY_CONFIRM, '1', inside, false },
        { Rules::MATURITY_CONFIRM, '1', maturity, true },
        { Rules::MATURITY_CONFIRM, '2', after, true },
        { Rules::MATURITY_CONFIRM, '8', after, false },
        { Rules::MATURITY_CONFIRM, '3', maturity, false },
        { Rules::MATURITY_RENEWAL, '2', maturity, true },
        { Rules::MATURITY_RENEWAL, '4', maturity, false },
        { Rules::EARLY_REPURCHASE, '1', first, false },
        { Rules::EARLY_REPURCHASE, '1', inside, true },
        { Rules::EARLY_REPURCHASE, '1', maturity, false },
        { Rules::EARLY_REPURCHASE, '2', inside, false },
        { Rules::PLEDGE_CHANGE, '1', inside, true },
        { Rules::PLEDGE_CHANGE, '1', first, false },
        { Rules::PLEDGE_RELEASE, '1', maturity, false },
        { Rules::PLEDGE_RELEASE, '2', after, true },
        { Rules::PLEDGE_RELEASE, '8', inside, true },
        { Rules::PLEDGE_RELEASE, '5', after, false },
    };
    for (const auto &[action, status, day, allowed] : cases) {
        c.contractStatus = status;
        EXPECT_EQ(Rules::allows(action, c, day), allowed)
            << Rules::actionName(action).toStdString() << " status " << char(status) << " on "
            << day.toString().toStdString();
    }

    // What the other desk proposes on a day: by the trader's side and the contract's status.
    c.repurchaseDays = 7;
    const std::tuple<int, int, QDate, int> proposals[] = {
        { '2', '1', QDate(2026, 12, 10), '3' }, // a day of seven used: swap the pledge
        { '2', '1', QDate(2026, 12, 13), '2' }, // four of seven: buy back early
        { '2', '1', QDate(2026, 12, 9), 0 }, // not settled first yet
        { '2', '2', QDate(2026, 12, 16), '1' }, // due: renew
        { '2', '8', QDate(2026, 12, 18), '4' }, // overdue: release
        { '1', '8', QDate(2026, 12, 18), '4' },
        { '1', '1', QDate(2026, 12, 13), 0 }, // the trader's own pledge is the trader's to change
        { '1', '2', QDate(2026, 12, 16), 0 },
        { '2', '3', QDate(2026, 12, 13), 0 },
    };
    for (const auto &[direction, status, day, proposal] : proposals) {
        c.direction = direction;
        c.contractStatus = status;
        EXPECT_EQ(app::CDeskDeclarations::proposalOn(c, day), proposal)
            << "side " << char(direction) << " status " << char(status) << " on "
            << day.toString().toStdString();
    }

    // Due, then overdue: maturity on Saturday 19 December settles on Monday 21 December.
    c.contractStatus = '1';
    c.maturitySettleDate = 20261219;
    const std::pair<QDate, int> statusOn[] = { { QDate(2026, 12, 18), '1' },
                                               { QDate(2026, 12, 19), '2' },
                                               { QDate(2026, 12, 21), '2' },
                                               { QDate(2026, 12, 22), '8' } };
    for (const auto &[day, status] : statusOn)
        EXPECT_EQ(char(Rules::statusOn(c, day)), char(status)) << day.toString().toStdString();
    c.contractStatus = '3';
    EXPECT_EQ(Rules::statusOn(c, QDate(2026, 12, 22)), '3') << "a settled contract stays settled";
    EXPECT_EQ(Rules::contractOfRef("PX202612090001/7"), "PX202612090001");
    EXPECT_EQ(Rules::contractOfRef("QR2026120005"), "");
}

// Each way of closing: the repo side pays, has its bonds again and cannot close twice.
// Its name, operation, day and status after; the word of its message and the refusal's.
using Closing = std::tuple<const char *, int, QDate, int, const char *, const char *>;

class ClosingTest : public PaperContractsTest, public ::testing::WithParamInterface<Closing>
{
};

TEST_P(ClosingTest, closingPaysTheAmountReturnsTheBondsAndKeepsWhatWasPledged)
{
    const auto &[name, operation, day, status, done, action] = GetParam();
    const QString no = QString::fromStdString(dealNo);
    TC::CHostClock::setToday(day);
    send({ onContract(operation, dealNo, 80032.22) });
    EXPECT_EQ(contract(dealNo)->contractStatus, status);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 - 80032.22);
    EXPECT_EQ(usable("SH", "019547"), 120000);
    EXPECT_EQ(pledged(contract(dealNo)->pledgedBonds), "SH 019547 16国债19 1000")
        << "the contract keeps what it pledged";
    EXPECT_EQ(messages(),
              QStringList { QStringLiteral("合同 %1 已%2, 结算金额 80032.22").arg(no, done) });

    expectRefused(onContract(operation, dealNo, 80032.22),
                  QStringLiteral("合同 %1 状态为%2, 到期日 20261216, 不能%3")
                      .arg(no, status == '3' ? "已购回" : "已解除质押", action));
}

INSTANTIATE_TEST_SUITE_P(
    Deal, ClosingTest,
    ::testing::Values(
        Closing { "maturityConfirmation", 1047, QDate(2026, 12, 16), '3', "到期结算", "到期确认" },
        Closing { "earlyRepurchase", 1048, QDate(2026, 12, 10), '3', "购回", "提前购回" },
        Closing { "pledgeRelease", 1074, QDate(2026, 12, 17), '5', "解除质押", "解除质押" }),
    [](const ::testing::TestParamInfo<Closing> &info) {
        return std::string(std::get<0>(info.param));
    });

// A pledge change swaps bonds with the available position; a renewal keeps the swapped bonds.
TEST_F(PaperContractsTest, aSwappedPledgeStaysWithTheNewContractAMaturityRenewalClosesInto)
{
    TC::CHostClock::setToday(QDate(2026, 12, 10));
    send({ swap(dealNo, "122001", 600, "019547", 400) });
    EXPECT_EQ(pledged(contract(dealNo)->pledgedBonds),
              "SH 019547 16国债19 600 | SH 122001 06澜岳能源债 600");
    EXPECT_EQ(usable("SH", "019547"), 119400);
    EXPECT_EQ(usable("SH", "122001"), 39400);
    send({ swap(dealNo, "122001", 400, "019547", 600) });
    EXPECT_EQ(pledged(contract(dealNo)->pledgedBonds), "SH 122001 06澜岳能源债 1000");
    EXPECT_EQ(usable("SH", "019547"), 120000);
    EXPECT_EQ(usable("SH", "122001"), 39000);
    EXPECT_EQ(position("SH", "019547")->totalVolume, 120000) << "pledged bonds stay held";
    EXPECT_DOUBLE_EQ(funds(), 52080000.00) << "a swap moves no money";
    EXPECT_EQ(contract(dealNo)->contractStatus, '1');

    TC::CHostClock::setToday(QDate(2026, 12, 16));
    // The interest rolled into the new amount: no money moves.
    send({ onContract(1050, dealNo, 80032.22, [](CRepurchaseAgreementParam &a) {
        a.repurchaseRate = 0.022;
        a.repurchaseDays = 14;
    }) });
    EXPECT_EQ(contract(dealNo)->contractStatus, '4');
    const auto renewed = contracts().back();
    ASSERT_NE(renewed->contractNo, dealNo);
    EXPECT_EQ(summary(*renewed),
              "SH side 1, status 1, 20261216 to 20261230 (14 days), amount "
              "80032.22 at 0.022, ratio 0.8, due 80099.75, desk 1002 青屿证券 "
              "T101, bonds SH 122001 06澜岳能源债 1000");
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
    EXPECT_EQ(usable("SH", "122001"), 39000) << "the bonds stay pledged";

    // Renewed for less: the repo side pays the difference.
    TC::CHostClock::setToday(QDate(2026, 12, 30));
    send({ onContract(1050, renewed->contractNo, 50000, [](CRepurchaseAgreementParam &a) {
        a.repurchaseRate = 0.02;
        a.repurchaseDays = 7;
    }) });
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 - (80099.75 - 50000));
}

TEST_F(PaperContractsTest, aNewTradingDayMovesContractStatesAndTheDesksDeclareOnThem)
{
    confirm("QR2026120001");
    const std::string lent = contracts().back()->contractNo; // 9,000,000 for 7 days, to T301
    const double before = funds();

    // Thursday: the desk asks to release overdue HT2026120003 and swaps the loan's bond.
    startDay(QDate(2026, 12, 10));
    EXPECT_EQ(contract("HT2026120003")->contractStatus, '8');
    ASSERT_EQ(declarationsAbout("HT2026120003").size(), 1u);
    const auto release = declarationsAbout("HT2026120003").front();
    EXPECT_EQ(release->declareType, '4');
    EXPECT_DOUBLE_EQ(release->releaseSettleAmount, 15006760.27);
    ASSERT_EQ(declarationsAbout(lent).size(), 1u);
    const auto change = declarationsAbout(lent).front();
    EXPECT_EQ(change->declareType, '3');
    EXPECT_EQ(change->trader, "T401");

    // Monday, with the swap still waiting, the desk declares nothing else on the loan.
    startDay(QDate(2026, 12, 14));
    EXPECT_EQ(declarationsAbout(lent).size(), 1u);
    confirm(change->pendingOrderRef);
    EXPECT_EQ(pledged(contract(lent)->pledgedBonds), "SH 019666 22国债01 100000");
    confirm(release->pendingOrderRef);
    EXPECT_EQ(contract("HT2026120003")->contractStatus, '5');
    EXPECT_EQ(usable("SZ", "101501"), 50000 + 120000);
    EXPECT_DOUBLE_EQ(funds(), before - 15006760.27);
    EXPECT_TRUE(declarationsAbout(lent).empty());

    // At maturity the desk asks to renew for the same term; the lender gets the interest.
    startDay(QDate(2026, 12, 16));
    EXPECT_EQ(contract(lent)->contractStatus, '2');
    ASSERT_EQ(declarationsAbout(lent).size(), 1u);
    EXPECT_EQ(declarationsAbout(lent).front()->declareType, '1');
    confirm(declarationsAbout(lent).front()->pendingOrderRef);
    EXPECT_EQ(contract(lent)->contractStatus, '4');
    const std::string renewed = contracts().back()->contractNo;
    EXPECT_EQ(contract(renewed)->maturitySettleDate, 20261223);
    EXPECT_DOUBLE_EQ(funds(), before - 15006760.27 + 3710.96);

    // Five days into the renewed week the desk buys back early, with 5 days' interest.
    startDay(QDate(2026, 12, 21));
    ASSERT_EQ(declarationsAbout(renewed).size(), 1u);
    EXPECT_EQ(declarationsAbout(renewed).front()->declareType, '2');
    confirm(declarationsAbout(renewed).front()->pendingOrderRef);
    EXPECT_EQ(contract(renewed)->contractStatus, '3');
    EXPECT_DOUBLE_EQ(funds(), before - 15006760.27 + 3710.96 + 9002650.68);
}

TEST_F(PaperContractsTest, badOrdersAreRefusedOneByOneWithTheReasonAndChangeNothing)
{
    const QString no = QString::fromStdString(dealNo);
    const QDate inside(2026, 12, 10), maturity(2026, 12, 16);
    CCodeOrderParam unreadable = onContract(1047, dealNo, 1);
    bson::BSONObjBuilder other;
    other.append("colour", "blue");
    unreadable.agreementParam = other.obj();
    CCodeOrderParam noAgreement = deal();
    noAgreement.agreementParam = bson::BSONObj();
    CCodeOrderParam strangerAccount = spot(1052, "SH", "019547", 100, 10, "T101");
    strangerAccount.accountInfo = boost::make_shared<ttservice::CAccountInfo>();
    strangerAccount.accountInfo->accountId = "990099";
    using P = CRepurchaseAgreementParam;
    // A deal or a renewal with one term of `field` set to `value`.
    const auto dealWith = [](auto P::*field, auto value) {
        return deal("019547", 1000, [=](P &a) { a.*field = value; });
    };
    const auto renewal = [&](auto P::*field, auto value) {
        return onContract(1050, dealNo, 80000, [=](P &a) {
            a.repurchaseRate = 0.02;
            a.repurchaseDays = 7;
            a.*field = value;
        });
    };
    const auto notNow = [&](const char *action) {
        return QStringLiteral("合同 %1 状态为正常, 到期日 20261216, 不能%2").arg(no, action);
    };
    // Declarations no desk would make: from no desk, and about no contract.
    const auto plant = [](const std::string &like, const std::string &ref,
                          const std::string &dealer, const std::string &trader) {
        auto d = boost::make_shared<ttservice::CRepurchasePendingOrder>(*declaration(like));
        d->pendingOrderRef = ref;
        d->counterpartyDealer = dealer;
        d->counterpartyTrader = trader;
        account()->updateData(d, false);
    };
    plant("HT2026120031/1", "QR2026129001", "1001", "T001");
    plant("HT2026120027/1", "HT2026129999/1", "1004", "T301");
    // Each is refused with its reason alone, on the day set before it.
    const auto refuse
        = [this](const char *what, const CCodeOrderParam &order, const QString &reason) {
              SCOPED_TRACE(what);
              expectRefused(order, reason);
          };
    TC::CHostClock::setToday(inside);
    refuse("spot: unknown counterparty", spot(1052, "SH", "019547", 100, 10, "Nobody"),
           "对手方 Nobody 不是模拟交易台");
    refuse("spot: unknown bond", spot(1052, "SH", "999999", 100, 10, "T101"),
           "SH 999999 不是上市债券");
    refuse("spot: no quantity", spot(1052, "SH", "019547", 100, 0, "T101"), "数量必须大于0");
    refuse("spot: negative price", spot(1053, "SH", "019547", -1, 10, "T101"), "价格必须大于0");
    refuse("spot: beyond the funds", spot(1052, "SH", "019547", 100, 1000000, "T101"),
           "可用资金不足: 需要 101234500.00, 可用 52080000.00");
    refuse("spot: beyond the position", spot(1053, "SH", "019547", 100, 119001, "T101"),
           "019547 16国债19 可用数量不足: 需要 119001 张, 可用 119000 张");
    refuse("unknown account", strangerAccount, "账户 990099 不存在");
    refuse("deal: no agreement part", noAgreement, "委托缺少协议回购参数");
    refuse("deal: unknown desk", dealWith(&P::counterpartyDealer, std::string("9999")),
           "对手方 9999 T101 不是模拟交易台");
    refuse("deal: trader of another desk", dealWith(&P::counterpartyTrader, std::string("T201")),
           "对手方 1002 T201 不是模拟交易台");
    refuse("deal: zero amount", dealWith(&P::repurchaseAmount, 0.0), "回购金额必须大于0");
    refuse("deal: no amount", dealWith(&P::repurchaseAmount, ttservice::kUnsetDouble),
           "回购金额必须大于0");
    refuse("deal: rate typed as a percentage", dealWith(&P::repurchaseRate, 2.1),
           "回购利率必须在0%~100%之间");
    refuse("deal: no term", dealWith(&P::repurchaseDays, ttservice::kUnsetInt),
           "回购天数必须在1~365之间");
    refuse("deal: term past a year", dealWith(&P::repurchaseDays, 366), "回购天数必须在1~365之间");
    refuse("deal: unknown bond", deal("999999"), "质押券 SH 999999 不是上市债券");
    refuse("deal: nothing pledged", deal("019547", 0), "质押数量必须大于0");
    refuse("deal: more pledged than available", deal("019547", 119001),
           "019547 16国债19 可用数量不足: 需要 119001 张, 可用 119000 张");
    refuse("confirmed before maturity", onContract(1047, dealNo, 80032.22), notNow("到期确认"));
    refuse("renewed before maturity", renewal(&P::repurchaseAmount, 80000.0), notNow("到期续做"));
    refuse("released inside the term", onContract(1074, dealNo, 0), notNow("解除质押"));
    refuse("bought back for nothing", onContract(1048, dealNo, 0), "购回金额必须大于0");
    refuse("swap naming no bond", swap(dealNo, "", 0, "", 0), "质押券变更未列出换入或换出的债券");
    refuse("swap in an unknown bond", swap(dealNo, "999999", 10, "", 0),
           "质押券 SH 999999 不是上市债券");
    refuse("swap in nothing", swap(dealNo, "122001", 0, "", 0), "换入数量必须大于0");
    refuse("swap out nothing", swap(dealNo, "", 0, "019547", 0), "换出数量必须大于0");
    refuse("swap in more than available", swap(dealNo, "122001", 40001, "", 0),
           "122001 06澜岳能源债 可用数量不足: 需要 40001 张, 可用 40000 张");
    refuse("swap out more than pledged", swap(dealNo, "", 0, "019547", 2000),
           QStringLiteral("合同 %1 质押的 019547 只有 1000 张, 不能换出 2000 张").arg(no));
    refuse("swap leaving the amount uncovered", swap(dealNo, "", 0, "019547", 500),
           "换券后质押券折算金额 40000.00 不足回购金额 80000.00");
    refuse("answer naming no declaration", answer(1065, ""), "确认委托缺少申报编号");
    refuse("answer to an unknown declaration", answer(1065, "NOPE"), "申报 NOPE 不存在");
    refuse("answer of another type", answer(1067, "QR2026120011"),
           "申报 QR2026120011 的类型为成交申报, 不能以业务代码 1067 确认");
    refuse("answer to a counterparty that is no desk", answer(1075, "QR2026129001"),
           "对手方 1001 T001 不是模拟交易台");
    refuse("answer about no contract", answer(1072, "HT2026129999/1"),
           "申报 HT2026129999/1 没有对应的合同");
    TC::CHostClock::setToday(maturity);
    refuse("unreadable agreement", unreadable, "协议回购参数无法识别");
    refuse("no contract number", onContract(1047, "", 1), "委托缺少合同编号");
    refuse("unknown contract", onContract(1047, "NOPE", 1), "合同 NOPE 不存在");
    refuse("the other side's code", onContract(1077, dealNo, 80032.22),
           QStringLiteral("业务代码 1077 不适用于正回购合同 %1").arg(no));
    refuse("confirmed for nothing", onContract(1047, dealNo, 0), "到期结算金额必须大于0");
    refuse("confirmed beyond the funds", onContract(1047, dealNo, 1e9),
           "可用资金不足: 需要 1000000000.00, 可用 52080000.00");
    refuse("renewed for no days", renewal(&P::repurchaseDays, 0), "回购天数必须在1~365之间");
    refuse("renewed at no rate", renewal(&P::repurchaseRate, 0.0), "回购利率必须在0%~100%之间");
    refuse("renewed for a negative amount", renewal(&P::repurchaseAmount, -5.0),
           "回购金额必须大于0");
    TC::CHostClock::setToday(dealDay());
    refuse("bought back on the deal day", onContract(1048, dealNo, 80032.22), notNow("提前购回"));
    refuse("pledge changed on the deal day", swap(dealNo, "122001", 10, "", 0),
           notNow("质押券变更"));
    TC::CHostClock::setToday(maturity.addDays(1));
    refuse("released for a negative amount", onContract(1074, dealNo, -1), "结算金额不能为负");

    // A declaration is answered once; a deal is declared once per command.
    TC::CHostClock::setToday(dealDay());
    confirm("QR2026120011");
    expectRefused(answer(1065, "QR2026120011"), "申报 QR2026120011 已应答, 不能重复确认");
    clearMessages();
    const size_t count = contracts().size();
    send({ deal(), deal() });
    EXPECT_EQ(contracts().size(), count + 1) << "the first of the two is dealt";
    EXPECT_TRUE(paper::messages().contains("委托被拒绝: 重复申报: 与同一指令的第 1 笔委托相同"))
        << paper::messages().join('\n').toStdString();
}

TEST_F(PaperContractsTest, intentionOrdersAreRegisteredAndADeskDeclaresADealOnThem)
{
    const auto intentionOf = [](int operation, const std::string &bond, long long volume) {
        CCodeOrderParam order = deal(bond, volume, [](CRepurchaseAgreementParam &a) {
            a.repurchaseAmount = 50000;
            a.repurchaseRate = 0.02;
            a.repurchaseDays = 14;
            a.conversionRatio = ttservice::kUnsetDouble; // the desk takes its default
        });
        order.operationType = static_cast<ttservice::EOperationType>(operation);
        return order;
    };
    const std::tuple<int, const char *, long long, int, const char *> cases[]
        = { { 1063, "019547", 500, '0', "019547 16国债19" }, { 1064, "", 0, '1', "" } };
    for (const auto &[operation, bond, volume, direction, pledgedBond] : cases) {
        SCOPED_TRACE(operation);
        send({ intentionOf(operation, bond, volume) });
        const auto intention = intentions().back();
        EXPECT_EQ(intention->direction, direction);
        EXPECT_EQ(intention->pledgedBond, pledgedBond);
        EXPECT_EQ(intention->pledgedBondVolume, volume);
        EXPECT_DOUBLE_EQ(intention->maturitySettleAmount, 50038.36);
        EXPECT_DOUBLE_EQ(funds(), 52080000.00) << "an intention moves no money";
        EXPECT_EQ(usable("SH", "019547"), 119000) << "nor bonds";
    }

    // A desk took up the 逆回购 one, pledging enough of a bond at the default ratio of 90 %.
    const auto d = declarations().back();
    ASSERT_TRUE(d);
    EXPECT_EQ(d->declareType, '0');
    EXPECT_EQ(d->direction, '1');
    EXPECT_EQ(d->trader, "T1");
    EXPECT_EQ(pledged(d->pledgedBonds), "SH 019547 16国债19 560") << "50,000 / 90 % in tens of 张";

    confirm(d->pendingOrderRef);
    EXPECT_EQ(contracts().back()->direction, '2');
    EXPECT_EQ(contracts().back()->counterpartyTrader, d->counterpartyTrader);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 - 50000.00);
    EXPECT_EQ(usable("SH", "019547"), 119000) << "the desk pledged its own bonds";
}

// The shipped declarations, of every type and market, are confirmable and act as their type does.
using ShippedDeclarations = PaperDeskTest;

TEST_F(ShippedDeclarations, everyOneIsConfirmedAndMakesOrChangesTheContractAsItsTypeDoes)
{
    EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join('\n').toStdString();
    // The status of the contract a declaration is about, once confirmed.
    const std::map<int, int> statusAfter = { { '1', Rules::STATUS_RENEWED },
                                             { '2', Rules::STATUS_REPURCHASED },
                                             { '3', Rules::STATUS_RUNNING },
                                             { '4', Rules::STATUS_RELEASED } };
    std::set<std::pair<int, std::string>> confirmed; // type and market
    std::set<bool> withoutBonds;
    bool swapped = false;
    for (const std::string id : { "880001", "880002" }) {
        const ttservice::CAccountDataPtr data = account(id);
        for (const DeclarationPtr &d : declarations(id)) {
            const std::string &ref = d->pendingOrderRef;
            SCOPED_TRACE(ref);
            const auto about = contract(Rules::contractOfRef(ref), id);
            ASSERT_EQ(bool(about), d->declareType != '0') << "all but a deal name a contract";
            // The repo side ('0') receives the money of a deal and pays to close.
            double received = 0.0;
            if (d->declareType == '0')
                received = d->repurchaseAmount;
            else if (d->declareType == '1')
                received = d->repurchaseAmount - Rules::dueAtMaturity(*about);
            else if (d->declareType == '2')
                received = -d->maturitySettleAmount;
            else if (d->declareType == '4')
                received = -(d->releaseSettleAmount > 0 ? d->releaseSettleAmount
                                                        : d->maturitySettleAmount);
            const double cash = funds(id);
            clearMessages();

            send({ confirmation(*d, data) });
            const QStringList refused = messages().filter(QStringLiteral("委托被拒绝"));
            ASSERT_TRUE(refused.isEmpty()) << refused.join('\n').toStdString();
            confirmed.insert({ d->declareType, d->market });
            withoutBonds.insert(d->pledgedBonds.empty());
            for (const auto &bond : d->pledgedBonds)
                swapped = swapped || bond->swapFlag == '1';
            EXPECT_FALSE(data->getData(ttservice::DATA_TYPE_PENDING_ORDER, ref))
                << "an answered declaration leaves the list";
            EXPECT_NEAR(funds(id) - cash, d->direction == '0' ? received : -received, 0.005);
            if (about) {
                EXPECT_EQ(char(contract(about->contractNo, id)->contractStatus),
                          char(statusAfter.at(d->declareType)));
            }
            if (d->declareType != '0' && d->declareType != '1')
                continue;
            // A deal, or the contract a renewal closes into, from today for the declared term.
            const auto made = contracts(id).back();
            EXPECT_EQ(made->referenceNo, ref);
            EXPECT_EQ(made->direction == '1', d->direction == '0');
            EXPECT_EQ(made->maturitySettleDate,
                      utils::dateNumber(dealDay().addDays(d->repurchaseDays)));
        }
    }
    EXPECT_EQ(confirmed.size(), 10u) << "five types in two markets";
    EXPECT_EQ(withoutBonds.size(), 2u) << "with and without bonds";
    EXPECT_TRUE(swapped);
}

} // namespace
