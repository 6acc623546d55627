// The paper exchange on running agreement contracts: the trader's own
// contract operations, the answers to declarations of the desks, and the
// start of a trading day, checked by what they do to funds, positions,
// contracts and declarations, and by the refusals that change nothing.
#include "CContractRules.h"
#include "CDeskDeclarations.h"
#include "CPaperExchange.h"
#include "TerminalFixture.h"

#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/TradeOperationType.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <functional>
#include <map>

namespace {

using app::CContractRules;
using ttservice::CCodeOrderParam;
using ttservice::CRepurchaseAgreementParam;
using Contract = ttservice::CRepurchaseAgreementContractInfo;
using Rules = CContractRules;

// A Wednesday: a 7-day deal matures on Wednesday 16 December.
const QDate kDealDay(2026, 12, 9);

ttservice::CAccountDataPtr account()
{
    return ttservice::TraderCenter::instance()->getDataCenter()->getAccountData("880001");
}

double funds()
{
    return account()->getAccountDetail()->availableFunds;
}

long long usable(const std::string &market, const std::string &code)
{
    const auto pos = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(account()->getData(
        ttservice::DATA_TYPE_POSITION_STATICS, market + ttservice::KEY_SPLITTER + code));
    return pos ? pos->usableVolume : 0;
}

boost::shared_ptr<Contract> contract(const std::string &no)
{
    return boost::dynamic_pointer_cast<Contract>(
        account()->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, no));
}

ttservice::CRepurchasePendingOrderPtr declaration(const std::string &ref)
{
    return boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(
        account()->getData(ttservice::DATA_TYPE_PENDING_ORDER, ref));
}

std::vector<boost::shared_ptr<Contract>> contracts()
{
    std::vector<ttservice::IDataPtr> all;
    account()->getVector(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, all);
    std::vector<boost::shared_ptr<Contract>> out;
    for (const ttservice::IDataPtr &record : all)
        out.push_back(boost::dynamic_pointer_cast<Contract>(record));
    return out;
}

// The declarations the desks made about `contractNo`.
std::vector<ttservice::CRepurchasePendingOrderPtr> declarationsAbout(const std::string &contractNo)
{
    std::vector<ttservice::IDataPtr> all;
    account()->getVector(ttservice::DATA_TYPE_PENDING_ORDER, all);
    std::vector<ttservice::CRepurchasePendingOrderPtr> out;
    for (const ttservice::IDataPtr &record : all)
        if (CContractRules::contractOfRef(record->getKey()) == contractNo)
            out.push_back(boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(record));
    return out;
}

std::string bondsOf(const Contract &c)
{
    std::string text;
    for (const auto &bond : c.pledgedBonds)
        text += (text.empty() ? "" : "|") + bond->bondCode + ':'
            + std::to_string(bond->pledgeVolume);
    return text;
}

std::string snapshot()
{
    std::string text = std::to_string(funds());
    for (int type :
         { ttservice::DATA_TYPE_POSITION_STATICS, ttservice::DATA_TYPE_AGREEMENT_CONTRACT,
           ttservice::DATA_TYPE_PENDING_ORDER }) {
        std::vector<ttservice::IDataPtr> all;
        account()->getVector(type, all);
        for (const ttservice::IDataPtr &record : all)
            text += '|' + record->toBson().toString();
    }
    return text;
}

CCodeOrderParam order(int operation, long long volume,
                      const std::function<void(CRepurchaseAgreementParam &)> &change)
{
    CCodeOrderParam order;
    order.accountInfo = account()->getAccountInfo();
    order.operationType = static_cast<ttservice::EOperationType>(operation);
    order.stock.market = "SH";
    order.stock.stockCode = "204007";
    order.volume = volume;
    order.paramKind = 2;
    CRepurchaseAgreementParam agreement;
    agreement.trader = "T1";
    change(agreement);
    order.price = agreement.repurchaseRate;
    order.agreementParam = agreement.toBson();
    return order;
}

// 1,000 张 of 019547 pledged to desk 1002 / T101 for 80,000 at 2.1 % for 7 days.
CCodeOrderParam deal()
{
    return order(1045, 1000, [](CRepurchaseAgreementParam &a) {
        a.bondMarket = "SH";
        a.bondCode = "019547";
        a.counterpartyDealer = "1002";
        a.counterpartyTrader = "T101";
        a.repurchaseAmount = 80000;
        a.repurchaseRate = 0.021;
        a.conversionRatio = 0.8;
        a.repurchaseDays = 7;
    });
}

CCodeOrderParam onContract(int operation, const std::string &no, double amount,
                           const std::function<void(CRepurchaseAgreementParam &)> &more = {})
{
    return order(operation, 1000, [&](CRepurchaseAgreementParam &a) {
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
    return order(1069, in, [&](CRepurchaseAgreementParam &a) {
        a.contractNo = no;
        a.bondMarket = "SH";
        a.bondCode = inCode;
        a.swapBondCode = outCode;
        if (!outCode.empty())
            a.swapPledgeVolume = out;
        a.repurchaseAmount = 0;
    });
}

class PaperContractsTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        write("host.ini", "[exchange]\nanswerDelayMs=0\n[feed]\npositionIntervalMs=0\n");
        TC::CHostClock::setToday(kDealDay);
        ASSERT_TRUE(load(host));
        host.start();
        send({ deal() });
        dealNo = contracts().back()->contractNo;
        ASSERT_EQ(contracts().back()->maturitySettleDate, 20261216);
        ASSERT_DOUBLE_EQ(funds(), 52080000.00);
        ASSERT_EQ(usable("SH", "019547"), 119000);
        utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
    }

    void send(const std::vector<CCodeOrderParam> &orders)
    {
        ASSERT_TRUE(sendCommand(orders));
        ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));
    }

    // Answers the declaration `ref` with the code the 待确认申报 table uses
    // under `type` for the declaration's side.
    void confirm(const std::string &ref, TC::ETradeOperationType type)
    {
        const auto d = declaration(ref);
        ASSERT_TRUE(d) << ref;
        const bool repo = d->direction == '0';
        const std::map<int, int> codes
            = { { TC::OPT_AGREEMENT_DEAL_DECLARATION, 1065 },
                { TC::OPT_AGREEMENT_MATURITY_RENEWAL, 1067 },
                { TC::OPT_AGREEMENT_PLEDGE_CHANGE, 1070 },
                { TC::OPT_AGREEMENT_EARLY_REPURCHASE, repo ? 1072 : 1092 },
                { TC::OPT_AGREEMENT_PLEDGE_RELEASE, repo ? 1075 : 1095 } };
        send({ order(codes.at(type), 10, [&](CRepurchaseAgreementParam &a) {
            a.pendingOrderRef = ref;
            a.trader = d->trader;
            a.repurchaseAmount = d->repurchaseAmount;
        }) });
    }

    void startDay(const QDate &day)
    {
        TC::CHostClock::setToday(day);
        host.exchange()->startTradingDay();
        ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));
    }

    app::CSimulatedHost host;
    std::string dealNo;
};

} // namespace

TEST(ContractRules, operationsFitTheContractsStateAndDay)
{
    Contract c;
    c.firstSettleDate = 20261209;
    c.maturitySettleDate = 20261216;
    const QDate first(2026, 12, 9), inside(2026, 12, 10), maturity(2026, 12, 16),
        after(2026, 12, 17);
    const struct
    {
        Rules::EAction action;
        int status;
        QDate day;
        bool allowed;
    } cases[] = {
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
    for (const auto &k : cases) {
        c.contractStatus = k.status;
        EXPECT_EQ(Rules::allows(k.action, c, k.day), k.allowed)
            << Rules::actionName(k.action).toStdString() << " status " << char(k.status) << " on "
            << k.day.toString().toStdString();
    }
}

TEST_F(PaperContractsTest, contractsBecomeDueAndOverdueAsTheirSettlementDayPasses)
{
    Contract c;
    c.contractStatus = '1';
    // Maturity on Saturday 19 December settles on Monday 21 December.
    c.maturitySettleDate = 20261219;
    const struct
    {
        QDate day;
        int status;
    } cases[] = { { QDate(2026, 12, 18), '1' },
                  { QDate(2026, 12, 19), '2' },
                  { QDate(2026, 12, 21), '2' },
                  { QDate(2026, 12, 22), '8' } };
    for (const auto &k : cases)
        EXPECT_EQ(char(Rules::statusOn(c, k.day)), char(k.status))
            << k.day.toString().toStdString();
    c.contractStatus = '3';
    EXPECT_EQ(Rules::statusOn(c, QDate(2026, 12, 22)), '3') << "a settled contract stays settled";
    EXPECT_EQ(Rules::contractOfRef("PX202612090001/7"), "PX202612090001");
    EXPECT_EQ(Rules::contractOfRef("QR2026120005"), "");
}

TEST_F(PaperContractsTest, maturityConfirmationPaysTheAmountAndReturnsTheBonds)
{
    TC::CHostClock::setToday(QDate(2026, 12, 16));
    send({ onContract(1047, dealNo, 80032.22) });
    EXPECT_EQ(contract(dealNo)->contractStatus, '3');
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 - 80032.22);
    EXPECT_EQ(usable("SH", "019547"), 120000);
    EXPECT_EQ(messageTexts(),
              QStringList { QStringLiteral("合同 %1 已到期结算, 结算金额 80032.22")
                                .arg(QString::fromStdString(dealNo)) });
}

TEST_F(PaperContractsTest, maturityRenewalClosesTheContractIntoANewOneWithTheSameBonds)
{
    TC::CHostClock::setToday(QDate(2026, 12, 16));
    // The interest rolled into the new amount: no money moves.
    send({ onContract(1050, dealNo, 80032.22, [](CRepurchaseAgreementParam &a) {
        a.repurchaseRate = 0.022;
        a.repurchaseDays = 14;
    }) });
    EXPECT_EQ(contract(dealNo)->contractStatus, '4');
    const auto renewed = contracts().back();
    ASSERT_NE(renewed->contractNo, dealNo);
    EXPECT_EQ(renewed->contractStatus, '1');
    EXPECT_EQ(renewed->firstSettleDate, 20261216);
    EXPECT_EQ(renewed->maturitySettleDate, 20261230);
    EXPECT_DOUBLE_EQ(renewed->repurchaseAmount, 80032.22);
    EXPECT_DOUBLE_EQ(renewed->maturitySettleAmount, 80099.75);
    EXPECT_EQ(bondsOf(*renewed), "019547:1000");
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
    EXPECT_EQ(usable("SH", "019547"), 119000) << "the bonds stay pledged";

    // Renewed for less: the repo side pays the difference.
    TC::CHostClock::setToday(QDate(2026, 12, 30));
    send({ onContract(1050, renewed->contractNo, 50000, [](CRepurchaseAgreementParam &a) {
        a.repurchaseRate = 0.02;
        a.repurchaseDays = 7;
    }) });
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 - (80099.75 - 50000));
}

TEST_F(PaperContractsTest, pledgeChangeSwapsBondsBetweenThePledgeAndTheAvailablePosition)
{
    TC::CHostClock::setToday(QDate(2026, 12, 10));
    send({ swap(dealNo, "122001", 600, "019547", 400) });
    EXPECT_EQ(bondsOf(*contract(dealNo)), "019547:600|122001:600");
    EXPECT_EQ(usable("SH", "019547"), 119400);
    EXPECT_EQ(usable("SH", "122001"), 39400);
    send({ swap(dealNo, "122001", 400, "019547", 600) });
    EXPECT_EQ(bondsOf(*contract(dealNo)), "122001:1000");
    EXPECT_EQ(usable("SH", "019547"), 120000);
    EXPECT_EQ(usable("SH", "122001"), 39000);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00) << "a swap moves no money";
    EXPECT_EQ(contract(dealNo)->contractStatus, '1');
}

TEST_F(PaperContractsTest, confirmedDealDeclarationsBecomeContractsAndLeaveTheList)
{
    // QR2026120011: desk T301 lends 3,000,000 against 40,000 张 of 019547 (trader T402).
    confirm("QR2026120011", TC::OPT_AGREEMENT_DEAL_DECLARATION);
    EXPECT_FALSE(declaration("QR2026120011"));
    const auto borrowed = contracts().back();
    EXPECT_EQ(borrowed->referenceNo, "QR2026120011");
    EXPECT_EQ(borrowed->direction, '1');
    EXPECT_EQ(borrowed->trader, "T402");
    EXPECT_EQ(bondsOf(*borrowed), "019547:40000");
    EXPECT_DOUBLE_EQ(borrowed->maturitySettleAmount, 3002312.88);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 + 3000000.00);
    EXPECT_EQ(usable("SH", "019547"), 79000);

    // QR2026120001: the trader lends 9,000,000 against the desk's bonds.
    confirm("QR2026120001", TC::OPT_AGREEMENT_DEAL_DECLARATION);
    const auto lent = contracts().back();
    EXPECT_EQ(lent->direction, '2');
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 + 3000000.00 - 9000000.00);
    EXPECT_EQ(usable("SH", "019547"), 79000) << "the pledged bonds are the desk's";
}

TEST_F(PaperContractsTest, aNewTradingDayMovesContractStatesAndTheDesksDeclareOnThem)
{
    confirm("QR2026120001", TC::OPT_AGREEMENT_DEAL_DECLARATION);
    const std::string lent = contracts().back()->contractNo; // 9,000,000 for 7 days, to T301
    const double before = funds();

    // Thursday: HT2026120003 matured yesterday unsettled; the desk asks for its
    // release. A day into the loan the desk swaps its pledged bond.
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

    confirm(change->pendingOrderRef, TC::OPT_AGREEMENT_PLEDGE_CHANGE);
    EXPECT_EQ(bondsOf(*contract(lent)), "019666:100000");
    confirm(release->pendingOrderRef, TC::OPT_AGREEMENT_PLEDGE_RELEASE);
    EXPECT_EQ(contract("HT2026120003")->contractStatus, '5');
    EXPECT_EQ(usable("SZ", "101501"), 50000 + 120000);
    EXPECT_DOUBLE_EQ(funds(), before - 15006760.27);
    EXPECT_TRUE(declarationsAbout(lent).empty());

    // At maturity the desk asks to renew for the same term; the lender gets the interest.
    startDay(QDate(2026, 12, 16));
    EXPECT_EQ(contract(lent)->contractStatus, '2');
    ASSERT_EQ(declarationsAbout(lent).size(), 1u);
    EXPECT_EQ(declarationsAbout(lent).front()->declareType, '1');
    confirm(declarationsAbout(lent).front()->pendingOrderRef, TC::OPT_AGREEMENT_MATURITY_RENEWAL);
    EXPECT_EQ(contract(lent)->contractStatus, '4');
    const std::string renewed = contracts().back()->contractNo;
    EXPECT_EQ(contract(renewed)->maturitySettleDate, 20261223);
    EXPECT_DOUBLE_EQ(funds(), before - 15006760.27 + 3710.96);

    // Five days into the renewed week the desk buys back early, with 5 days' interest.
    startDay(QDate(2026, 12, 21));
    ASSERT_EQ(declarationsAbout(renewed).size(), 1u);
    EXPECT_EQ(declarationsAbout(renewed).front()->declareType, '2');
    confirm(declarationsAbout(renewed).front()->pendingOrderRef,
            TC::OPT_AGREEMENT_EARLY_REPURCHASE);
    EXPECT_EQ(contract(renewed)->contractStatus, '3');
    EXPECT_DOUBLE_EQ(funds(), before - 15006760.27 + 3710.96 + 9002650.68);
}

TEST_F(PaperContractsTest, badOrdersOnContractsAreRefusedOneByOneAndChangeNothing)
{
    const QString no = QString::fromStdString(dealNo);
    const QDate inside(2026, 12, 10), maturity(2026, 12, 16);
    CCodeOrderParam unreadable = onContract(1047, dealNo, 1);
    bson::BSONObjBuilder other;
    other.append("colour", "blue");
    unreadable.agreementParam = other.obj();
    const auto renewal = [&](const std::function<void(CRepurchaseAgreementParam &)> &terms) {
        return onContract(1050, dealNo, 80000, [&](CRepurchaseAgreementParam &a) {
            a.repurchaseRate = 0.02;
            a.repurchaseDays = 7;
            terms(a);
        });
    };
    const auto answer = [](int operation, const std::string &ref) {
        return order(operation, 10, [&](CRepurchaseAgreementParam &a) { a.pendingOrderRef = ref; });
    };
    // Declarations no desk would make, beside the shipped ones: a release from
    // a counterparty that is no desk, an early repurchase of no contract.
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
    const struct
    {
        const char *what;
        QDate day;
        CCodeOrderParam order;
        QString message;
    } cases[] = {
        { "unreadable agreement", maturity, unreadable, "协议回购参数无法识别" },
        { "no contract number", maturity, onContract(1047, "", 1), "委托缺少合同编号" },
        { "unknown contract", maturity, onContract(1047, "NOPE", 1), "合同 NOPE 不存在" },
        { "the other side's code", maturity, onContract(1077, dealNo, 80032.22),
          QStringLiteral("业务代码 1077 不适用于正回购合同 %1").arg(no) },
        { "confirmed before maturity", inside, onContract(1047, dealNo, 80032.22),
          QStringLiteral("合同 %1 状态为正常, 到期日 20261216, 不能到期确认").arg(no) },
        { "renewed before maturity", inside, renewal([](CRepurchaseAgreementParam &) {}),
          QStringLiteral("合同 %1 状态为正常, 到期日 20261216, 不能到期续做").arg(no) },
        { "pledge changed on the first day", kDealDay, swap(dealNo, "122001", 10, "", 0),
          QStringLiteral("合同 %1 状态为正常, 到期日 20261216, 不能质押券变更").arg(no) },
        { "confirmed for nothing", maturity, onContract(1047, dealNo, 0), "到期结算金额必须大于0" },
        { "released for a negative amount", maturity.addDays(1), onContract(1074, dealNo, -1),
          "结算金额不能为负" },
        { "confirmed beyond the funds", maturity, onContract(1047, dealNo, 1e9),
          "可用资金不足: 需要 1000000000.00, 可用 52080000.00" },
        { "renewed for no days", maturity,
          renewal([](CRepurchaseAgreementParam &a) { a.repurchaseDays = 0; }),
          "回购天数必须在1~365之间" },
        { "renewed at no rate", maturity,
          renewal([](CRepurchaseAgreementParam &a) { a.repurchaseRate = 0; }),
          "回购利率必须在0%~100%之间" },
        { "renewed for a negative amount", maturity,
          renewal([](CRepurchaseAgreementParam &a) { a.repurchaseAmount = -5; }),
          "回购金额必须大于0" },
        { "swap naming no bond", inside, swap(dealNo, "", 0, "", 0),
          "质押券变更未列出换入或换出的债券" },
        { "swap in an unknown bond", inside, swap(dealNo, "999999", 10, "", 0),
          "质押券 SH 999999 不是上市债券" },
        { "swap in nothing", inside, swap(dealNo, "122001", 0, "", 0), "换入数量必须大于0" },
        { "swap out nothing", inside, swap(dealNo, "", 0, "019547", 0), "换出数量必须大于0" },
        { "swap in more than available", inside, swap(dealNo, "122001", 40001, "", 0),
          "122001 06澜岳能源债 可用数量不足: 需要 40001 张, 可用 40000 张" },
        { "swap out more than pledged", inside, swap(dealNo, "", 0, "019547", 2000),
          QStringLiteral("合同 %1 质押的 019547 只有 1000 张, 不能换出 2000 张").arg(no) },
        { "swap leaving the amount uncovered", inside, swap(dealNo, "", 0, "019547", 500),
          "换券后质押券折算金额 40000.00 不足回购金额 80000.00" },
        { "answer naming no declaration", inside, answer(1065, ""), "确认委托缺少申报编号" },
        { "answer to an unknown declaration", inside, answer(1065, "NOPE"), "申报 NOPE 不存在" },
        { "answer of another type", inside, answer(1067, "QR2026120011"),
          "申报 QR2026120011 的类型为成交申报, 不能以业务代码 1067 确认" },
        { "answer to a counterparty that is no desk", inside, answer(1075, "QR2026129001"),
          "对手方 1001 T001 不是模拟交易台" },
        { "answer about no contract", inside, answer(1072, "HT2026129999/1"),
          "申报 HT2026129999/1 没有对应的合同" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TC::CHostClock::setToday(c.day);
        utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
        const std::string before = snapshot();
        send({ c.order });
        EXPECT_EQ(messageTexts(), QStringList { app::CPaperExchange::refusalText(c.message) });
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(PaperContractsTest, aDeclarationIsAnsweredOnceAndADealDeclaredOncePerCommand)
{
    confirm("QR2026120011", TC::OPT_AGREEMENT_DEAL_DECLARATION);
    const std::string before = snapshot();
    utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
    send({ order(1065, 10,
                 [](CRepurchaseAgreementParam &a) { a.pendingOrderRef = "QR2026120011"; }) });
    EXPECT_EQ(messageTexts(), QStringList { "委托被拒绝: 申报 QR2026120011 已应答, 不能重复确认" });
    EXPECT_EQ(snapshot(), before);

    utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
    const size_t count = contracts().size();
    send({ deal(), deal() });
    EXPECT_EQ(contracts().size(), count + 1) << "the first of the two is dealt";
    EXPECT_TRUE(messageTexts().contains("委托被拒绝: 重复申报: 与同一指令的第 1 笔委托相同"))
        << messageTexts().join('\n').toStdString();
}

TEST(DeskDeclarations, theDeskProposesWhatTheContractsStateCallsFor)
{
    Contract c;
    c.firstSettleDate = 20261209;
    c.maturitySettleDate = 20261216;
    c.repurchaseDays = 7;
    const struct
    {
        int direction; // the trader's side
        int status;
        QDate day;
        int proposal;
    } cases[] = {
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
    for (const auto &k : cases) {
        c.direction = k.direction;
        c.contractStatus = k.status;
        EXPECT_EQ(app::CDeskDeclarations::proposalOn(c, k.day), k.proposal)
            << "side " << char(k.direction) << " status " << char(k.status) << " on "
            << k.day.toString().toStdString();
    }
}

TEST_F(PaperContractsTest, aDeskTakesUpAnIntentionOrderAndItsDealIsConfirmed)
{
    // 逆回购 intention: the trader lends 50,000 for 14 days; the desk pledges
    // enough of a bond of the market at the default ratio of 90 %.
    send({ order(1064, 0, [](CRepurchaseAgreementParam &a) {
        a.repurchaseAmount = 50000;
        a.repurchaseRate = 0.02;
        a.repurchaseDays = 14;
    }) });
    std::vector<ttservice::IDataPtr> all;
    account()->getVector(ttservice::DATA_TYPE_PENDING_ORDER, all);
    const auto d = boost::dynamic_pointer_cast<ttservice::CRepurchasePendingOrder>(all.back());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->declareType, '0');
    EXPECT_EQ(d->direction, '1');
    EXPECT_EQ(d->trader, "T1");
    ASSERT_EQ(d->pledgedBonds.size(), 1u);
    EXPECT_EQ(d->pledgedBonds[0]->bondCode, "019547");
    EXPECT_EQ(d->pledgedBonds[0]->pledgeVolume, 560) << "50,000 / 90 % in tens of 张";

    confirm(d->pendingOrderRef, TC::OPT_AGREEMENT_DEAL_DECLARATION);
    EXPECT_EQ(contracts().back()->direction, '2');
    EXPECT_EQ(contracts().back()->counterpartyTrader, d->counterpartyTrader);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00 - 50000.00);
    EXPECT_EQ(usable("SH", "019547"), 119000) << "the desk pledged its own bonds";
}
