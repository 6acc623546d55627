#include "AgreementFormFixture.h"

#include "agreement/CAgreementOrderBuilder.h"
#include "tc/CItCommandCenter.h"
#include "tc/CTradeClient.h"
#include "ttservice/COrderCommand.h"
#include "utils/CSingletonT.h"
#include "xp/CLineEdit.h"
#include "xp/CParameterCell.h"

#include <boost/make_shared.hpp>

#include <functional>

namespace {

using namespace TC;
using Builder = CAgreementOrderBuilder;
using Input = CAgreementOrderBuilder::Input;

class AgreementOrderTest : public AgreementFormFixture
{
protected:
    // What a fully and correctly filled form of `type` holds, as its cells exist for the type.
    Input validInput(ETradeOperationType type)
    {
        Input in;
        in.operationType = type;
        in.accountKey = kLoggedInAccount;
        in.variety = repoVariety("SH", "206007", "SH回购7天", 4, 7);
        in.rate = 3.65;
        in.amount = 1000000;
        in.ratio = 60;
        in.maturityAmount = 1000700;
        in.dealer = QStringLiteral("D1");
        in.trader = QStringLiteral("T1");
        const bool intention
            = type == OPT_AGREEMENT_INTENTION_REPO || type == OPT_AGREEMENT_INTENTION_REVERSE_REPO;
        const bool declaration = intention || type == OPT_AGREEMENT_DEAL_DECLARATION;
        if (!intention) {
            in.tradingEntity = QStringLiteral("S1");
            in.counterpartyEntity = QStringLiteral("S3");
            in.counterpartyTrader = QStringLiteral("T7");
            in.counterpartyDealer = QStringLiteral("D2");
            in.counterpartyDealerName = QStringLiteral(" 券商乙 ");
            in.subjectType = 2;
        }
        if (type != OPT_AGREEMENT_MATURITY_CONFIRM)
            in.supplementaryTerms = QStringLiteral(" 按约定 ");
        if (declaration || type == OPT_AGREEMENT_MATURITY_RENEWAL) {
            in.days = 7;
            in.actualDays = 12;
            in.maturitySettleDate = 20260224;
        }
        if (declaration) {
            in.varietyName = QStringLiteral("SH回购7天");
            in.firstSelection = { pledgeRow("019547", 1200000, 12000) };
            in.firstSelectionTotal = 1200000;
        }
        if (intention) {
            in.contactPerson = QStringLiteral(" 张三 ");
            in.contactMethod = QStringLiteral("13800000000 ");
        }
        if (!declaration) {
            in.contractKey = "C001";
            in.contract = addContract("C001", 15000);
        }
        if (type == OPT_AGREEMENT_MATURITY_RENEWAL) {
            in.renewType = 49;
            in.originalInterest = 700;
        }
        if (type == OPT_AGREEMENT_PLEDGE_CHANGE) {
            in.swapIncome = 0;
            in.firstSelection = { pledgeRow("122000", 500000, 5000) };
            in.firstSelectionTotal = 500000;
        }
        if (type == OPT_AGREEMENT_PLEDGE_RELEASE)
            in.settlementAmount = 1000700;
        return in;
    }

    // What the form reads from the host for `in`.
    static Builder::Host host(const Input &in)
    {
        return IBaseAgreementContentWidget::orderHost(in);
    }

    static QString check(const Input &in)
    {
        QString error = QStringLiteral("stale");
        const bool ok = Builder::checkOrderInput(in, host(in), error);
        EXPECT_EQ(ok, error.isEmpty()) << error.toStdString();
        return error;
    }

    // Builds the one order and decodes its agreement part.
    static ttservice::CRepurchaseAgreementParam build(const Input &in,
                                                      ttservice::CCodeOrderParam &order)
    {
        std::vector<ttservice::CCodeOrderParam> orders;
        QString error;
        EXPECT_TRUE(Builder::buildOrders(in, host(in), orders, error)) << error.toStdString();
        EXPECT_EQ(orders.size(), 1u);
        if (orders.size() != 1)
            return {};
        order = orders.front();
        return agreementOf(order);
    }
};

struct CheckCase
{
    const char *what;
    ETradeOperationType type;
    std::function<void(Input &)> spoil;
    const char *message;
};

} // namespace

TEST_F(AgreementOrderTest, eachCheckIsReachedAndFailsWithItsMessageOnItsExchange)
{
    // A change swapping out `total` of 019547 (1,500,000 pledged, 500,000 swapped in).
    const auto swapOut = [](double total, double amount) {
        return [=](Input &in) {
            in.secondSelection = { pledgeRow("019547", total, int(total / 100)) };
            in.secondSelectionTotal = total;
            in.amount = amount;
        };
    };
    const auto inShenzhen = [](void (*spoil)(Input &)) {
        return [=](Input &in) {
            in.market = "SZ";
            spoil(in);
        };
    };
    const auto deal = OPT_AGREEMENT_DEAL_DECLARATION, change = OPT_AGREEMENT_PLEDGE_CHANGE,
               renewal = OPT_AGREEMENT_MATURITY_RENEWAL, intention = OPT_AGREEMENT_INTENTION_REPO,
               confirm = OPT_AGREEMENT_MATURITY_CONFIRM, release = OPT_AGREEMENT_PLEDGE_RELEASE;
    const CheckCase cases[] = {
        { "unknown account", deal, [](Input &in) { in.accountKey = "99999"; },
          "账号 [99999] 不存在, 无法下单!" },
        { "logged out", deal, [](Input &in) { in.accountKey = kLoggedOutAccount; },
          "账号 [10002] 尚未登录, 无法下单!" },
        { "change without bonds", change, [](Input &in) { in.firstSelection.clear(); },
          "请选择换入或者换出的债券!" },
        { "change swapping out more than what remains", change, swapOut(1600000, 400000.01),
          "换出债券金额过大，请调整换入债券金额!" },
        { "nothing left in the pledge", change, swapOut(2000000, 0.01),
          "换出债券金额过大，请调整换入债券金额!" },
        { "zero days", deal, [](Input &in) { in.days = 0; }, "回购天数必须大于0且小于366" },
        { "366 days", renewal, [](Input &in) { in.days = 366; }, "回购天数必须大于0且小于366" },
        { "blank variety", intention, [](Input &in) { in.varietyName = QStringLiteral("  "); },
          "回购品种为空" },
        { "rate of 100", deal, [](Input &in) { in.rate = 100; }, "回购利率必须大于0且小于1" },
        { "zero amount", confirm, [](Input &in) { in.amount = 0; }, "回购金额必须大于0" },
        { "blank contact", intention, [](Input &in) { in.contactPerson = QStringLiteral(" "); },
          "联系人为空" },
        { "Shanghai renewal without interest", renewal, [](Input &in) { in.originalInterest = 0; },
          "原合约利息必须大于0" },
        { "no counterparty trader", deal, [](Input &in) { in.counterpartyTrader = QString(); },
          "对手交易员为空" },
        { "no counterparty dealer", change, [](Input &in) { in.counterpartyDealer = QString(); },
          "对手交易商为空" },
        { "Shenzhen release without amount", release,
          inShenzhen([](Input &in) { in.settlementAmount = 0; }), "解除质押结算金额必须大于0!" },
        // Each market's rules apply on its own exchange only.
        { "Shenzhen renewal without interest", renewal,
          inShenzhen([](Input &in) { in.originalInterest = 0; }), "" },
        { "Shanghai release without amount", release, [](Input &in) { in.settlementAmount = 0; },
          "" },
        { "change swapping out exactly what remains", change, swapOut(1600000, 400000), "" },
    };
    for (const CheckCase &c : cases) {
        Input in = validInput(c.type);
        c.spoil(in);
        EXPECT_EQ(check(in), QString::fromUtf8(c.message)) << c.what;
    }
}

TEST_F(AgreementOrderTest, checksRunInTheirOrderAndStopAtTheFirstFailure)
{
    // Everything wrong at once; fixing one fault at a time shows the next check.
    Input in = validInput(OPT_AGREEMENT_INTENTION_REPO);
    in.accountKey.clear();
    in.firstSelection.clear();
    in.variety.reset();
    in.days = 400;
    in.varietyName = QString();
    in.rate = 0;
    in.amount = -1;
    in.contactPerson = QString();
    in.contactMethod = QString();
    in.trader = QString();
    const std::vector<std::pair<const char *, std::function<void()>>> steps = {
        { "没有选择账号, 无法下单!", [&] { in.accountKey = kLoggedInAccount; } },
        { "未选择质押券或质押金额为0，无法下单！",
          [&] { in.firstSelection = { pledgeRow("101901", 100, 1, "SZ") }; } },
        { "意向申报只支持上海协议回购 , 无法下单!",
          [&] { in.firstSelection = { pledgeRow("019547", 100, 1) }; } },
        { "协议回购合约代码不存在",
          [&] { in.variety = repoVariety("SH", "206007", "SH回购7天", 4, 7); } },
        { "回购天数必须大于0且小于366", [&] { in.days = 365; } },
        { "回购品种为空", [&] { in.varietyName = QStringLiteral("SH回购365天"); } },
        { "回购利率必须大于0且小于1", [&] { in.rate = 99.999; } },
        { "回购金额必须大于0", [&] { in.amount = 0.01; } },
        { "联系人为空", [&] { in.contactPerson = QStringLiteral("张三"); } },
        { "联系方式为空", [&] { in.contactMethod = QStringLiteral("8"); } },
        { "交易员为空", [&] { in.trader = QStringLiteral("T1"); } },
    };
    for (const auto &step : steps) {
        EXPECT_EQ(check(in), QString::fromUtf8(step.first));
        step.second();
    }
    EXPECT_EQ(check(in), QString()) << "365 days and a rate of 99.999 pass";
}

TEST_F(AgreementOrderTest, operationCodesForEveryTypeAndDirection)
{
    EXPECT_EQ(line(Builder::orderOperationType(OPT_AGREEMENT_DEAL_DECLARATION, nullptr),
                   Builder::orderOperationType(OPT_AGREEMENT_INTENTION_REPO, nullptr),
                   Builder::orderOperationType(OPT_AGREEMENT_INTENTION_REVERSE_REPO, nullptr)),
              "1045 1063 1064");
    ttservice::CRepurchaseAgreementContractInfo contract;
    const auto code = [&contract](ETradeOperationType type, int direction) {
        contract.direction = direction;
        return Builder::orderOperationType(type, &contract);
    };
    // Repo side '1', reverse side '2'.
    const std::tuple<ETradeOperationType, int, int> sides[]
        = { { OPT_AGREEMENT_EARLY_REPURCHASE, 1048, 1049 },
            { OPT_AGREEMENT_MATURITY_RENEWAL, 1050, 1051 },
            { OPT_AGREEMENT_MATURITY_CONFIRM, 1047, 1077 },
            { OPT_AGREEMENT_PLEDGE_CHANGE, 1069, 1069 },
            { OPT_AGREEMENT_PLEDGE_RELEASE, 1074, 1094 } };
    for (const auto &[type, repo, reverse] : sides) {
        EXPECT_EQ(code(type, '1'), repo) << type;
        EXPECT_EQ(code(type, '2'), reverse) << type;
        EXPECT_EQ(Builder::orderOperationType(type, nullptr), -1) << "no contract, type " << type;
        // A direction the counter does not know; a change does not look at it.
        if (type != OPT_AGREEMENT_PLEDGE_CHANGE) {
            EXPECT_EQ(code(type, '0'), -1) << type;
            EXPECT_EQ(code(type, ttservice::kUnsetInt), -1) << type;
        }
    }
    EXPECT_EQ(Builder::orderOperationType(OPT_SPOT_BOND_TRADE, &contract), -1);
}

TEST_F(AgreementOrderTest, declarationsCarryTheLastOfThreeRowsAndIntentionsTheirContacts)
{
    Input in = validInput(OPT_AGREEMENT_DEAL_DECLARATION);
    in.firstSelection = { pledgeRow("019547", 500000, 5000), pledgeRow("122000", 400000, 4000),
                          pledgeRow("019548", 300000, 3000, "SH", '1') };
    ttservice::CCodeOrderParam order;
    ttservice::CRepurchaseAgreementParam a = build(in, order);

    // The price is the rate, not the placeholder 100.
    EXPECT_EQ(line(order.accountInfo->getKey(), order.stock.market, order.stock.stockCode,
                   order.stock.stockName, order.userName, order.contactPerson, order.orderKind,
                   order.operationType, order.volume, order.paramKind, order.price),
              "10001 SH 206007 SH回购7天 trader01 - 49 1045 3000 2 0.0365");
    // The last row's bond; the occupied days; the parties by code, the free texts trimmed.
    EXPECT_EQ(line(a.bondMarket, a.bondCode, a.trader, a.dealer, a.tradingEntity,
                   a.counterpartyTrader, a.counterpartyDealer, a.counterpartyEntity,
                   a.counterpartyDealerName, a.supplementaryTerms, a.contractNo, a.swapBondCode),
              "SH 019548 T1 D1 S1 T7 D2 S3 券商乙 按约定 - -");
    EXPECT_EQ(line(a.stockProperty, a.maturitySettleDate, a.repurchaseDays, a.subjectType,
                   a.renewType, a.firstSettleDate, a.repurchaseAmount, a.repurchaseRate,
                   a.conversionRatio, a.settlementAmount),
              "49 20260224 12 2 - - 1000000 0.0365 0.6 -");

    // In Shenzhen the variety and the bond are Shenzhen's.
    in.market = "SZ";
    in.variety = repoVariety("SZ", "138007", "SZ回购7天", 4, 7);
    in.firstSelection = { pledgeRow("101901", 800000, 8000, "SZ") };
    a = build(in, order);
    EXPECT_EQ(
        line(order.stock.market, order.stock.stockCode, a.bondMarket, a.bondCode, order.volume),
        "SZ 138007 SZ 101901 8000");

    // An intention carries its contacts trimmed.
    a = build(validInput(OPT_AGREEMENT_INTENTION_REVERSE_REPO), order);
    EXPECT_EQ(line(order.contactPerson, order.contactMethod, a.bondCode, order.operationType,
                   order.volume),
              "张三 13800000000 019547 1064 12000");
}

TEST_F(AgreementOrderTest, contractOperationsTakeTermsAndBondsFromTheContract)
{
    const std::tuple<ETradeOperationType, int, int> cases[]
        = { { OPT_AGREEMENT_MATURITY_CONFIRM, '2', 1077 },
            { OPT_AGREEMENT_EARLY_REPURCHASE, '1', 1048 },
            { OPT_AGREEMENT_PLEDGE_RELEASE, '2', 1094 } };
    for (const auto &[type, direction, code] : cases) {
        SCOPED_TRACE(type);
        Input in = validInput(type);
        in.contract->direction = direction;
        in.contract->referenceNo = "REF9";
        in.contract->pledgedBonds.push_back(pledgedBond("SH", "122000", 0)); // passed over
        in.maturityAmount = 1001000;
        ttservice::CCodeOrderParam order;
        const ttservice::CRepurchaseAgreementParam a = build(in, order);
        EXPECT_EQ(order.operationType, code);
        // The maturity amount as the amount; no settlement amount in Shanghai.
        EXPECT_EQ(line(order.volume, a.bondCode, a.contractNo, a.referenceNo, a.stockProperty,
                       a.repurchaseDays, a.maturitySettleDate, a.firstSettleDate,
                       a.repurchaseAmount, a.settlementAmount),
                  "15000 019547 C001 REF9 48 7 20260209 20260202 1001000 -");
    }
    // Only a Shenzhen release sends its settlement amount.
    Input release = validInput(OPT_AGREEMENT_PLEDGE_RELEASE);
    release.market = "SZ";
    release.settlementAmount = 1000123.45;
    ttservice::CCodeOrderParam order;
    const double settled = build(release, order).settlementAmount;
    EXPECT_EQ(line(settled, order.operationType), "1000123.45 1074");
}

TEST_F(AgreementOrderTest, renewalAmountDependsOnTheCounter)
{
    Input in = validInput(OPT_AGREEMENT_MATURITY_RENEWAL);
    in.contract->direction = '2';
    ttservice::CCodeOrderParam order;
    ttservice::CRepurchaseAgreementParam a = build(in, order);
    // Interest rolled into the amount; the new term's occupied days and maturity.
    EXPECT_EQ(line(a.repurchaseAmount, order.operationType, order.volume, a.renewType,
                   a.repurchaseDays, a.maturitySettleDate, a.firstSettleDate, a.contractNo),
              "1000700 1051 15000 49 12 20260224 20260202 C001");

    // Account 10002 trades through the counter that wants the bare amount.
    utils::CManualSingletonT<CTradeClient>::instance()->setLoginStatus(
        kLoggedOutAccount, ttservice::BROKER_LOGIN_STATUS_OK);
    in.accountKey = kLoggedOutAccount;
    a = build(in, order);
    EXPECT_EQ(line(order.accountInfo->getKey(), a.repurchaseAmount), "10002 1000000");
}

TEST_F(AgreementOrderTest, pledgeChangeSwapsBondsInAndOutOrIncomeAlone)
{
    Input in = validInput(OPT_AGREEMENT_PLEDGE_CHANGE);
    in.secondSelection
        = { pledgeRow("019547", 100000, 1000), pledgeRow("019549", 200000, 2000, "SH", '1') };
    in.secondSelectionTotal = 300000;
    ttservice::CCodeOrderParam order;
    ttservice::CRepurchaseAgreementParam a = build(in, order);
    // The bond swapped in and its volume, the last bond swapped out.
    EXPECT_EQ(line(a.bondMarket, a.bondCode, a.swapBondCode, order.operationType, order.volume,
                   a.swapPledgeVolume, a.swapStockProperty, a.repurchaseDays, a.maturitySettleDate,
                   a.repurchaseAmount),
              "SH 122000 019549 1069 5000 2000 49 7 20260209 0");

    // Swapping out only: the volume is that of the bond swapped out.
    in.firstSelection.clear();
    in.firstSelectionTotal = 0;
    a = build(in, order);
    EXPECT_EQ(line(a.bondCode, order.volume), "- 2000");

    // Swapping out income alone names no bonds and is not weighed: ten and the income.
    in.secondSelection.clear();
    in.swapIncome = 5;
    a = build(in, order);
    EXPECT_EQ(line(a.repurchaseAmount, a.bondCode, a.swapBondCode, a.contractNo, order.volume),
              "5 - - C001 10");
}

TEST_F(AgreementOrderTest, orderMustPassItsChecksAndFitTheInstructionItIsPlacedAgainst)
{
    auto *center = utils::CManualSingletonT<CItCommandCenter>::instance();
    auto instruction = boost::make_shared<ttservice::COrderCommand>();
    instruction->commandNo = 42;
    ttservice::CCodeOrderParam allowed;
    allowed.accountInfo = account(kLoggedInAccount)->getAccountInfo();
    allowed.operationType = static_cast<ttservice::EOperationType>(1045);
    allowed.volume = 15000;
    allowed.placedVolume = 2999.5; // rounds to 3000 placed
    instruction->orders.push_back(allowed);
    center->addCommand(instruction);

    Input in = validInput(OPT_AGREEMENT_DEAL_DECLARATION);
    in.instructionKey = "42";
    ttservice::CCodeOrderParam order;
    build(in, order);

    std::vector<ttservice::CCodeOrderParam> orders;
    QString error;
    in.firstSelection = { pledgeRow("019547", 1200100, 12001) };
    EXPECT_FALSE(Builder::buildOrders(in, host(in), orders, error));
    EXPECT_EQ(
        error,
        QStringLiteral("账号 10001 下单量超出指令 42 允许的剩余最大下单量 12000 , 下单无法完成"));
    EXPECT_TRUE(orders.empty());

    // The instruction allows no early repurchase for the account.
    Input other = validInput(OPT_AGREEMENT_EARLY_REPURCHASE);
    other.instructionKey = "42";
    EXPECT_FALSE(Builder::buildOrders(other, host(other), orders, error));
    EXPECT_EQ(error, QStringLiteral("当前下单参数不属于指令范围, 下单无法完成"));
    // A failed check builds nothing and leaves the orders as they were.
    other.rate = 100;
    orders.resize(2);
    EXPECT_FALSE(Builder::buildOrders(other, host(other), orders, error));
    EXPECT_EQ(error, QStringLiteral("回购利率必须大于0且小于1"));
    EXPECT_EQ(orders.size(), 2u);
    other.rate = 3.65;

    // No key, or a key the command centre does not know: no instruction to fit.
    other.instructionKey.clear();
    EXPECT_TRUE(Builder::buildOrders(other, host(other), orders, error));
    other.instructionKey = "77";
    EXPECT_TRUE(Builder::buildOrders(other, host(other), orders, error));
}

TEST_F(AgreementOrderTest, contractFormsOrderOnThePickedContract)
{
    const auto contract = addContract("C001", 15000);
    const auto form = makeForm(OPT_AGREEMENT_EARLY_REPURCHASE);
    EXPECT_EQ(form->orderOperationType(), -1) << "no contract picked";
    form->setContract("C404");
    QString error;
    EXPECT_FALSE(form->checkOrderInput(error));
    EXPECT_EQ(error, QStringLiteral("合约信息不存在或没有选中任何合约 [C404] , 无法下单!"));

    form->setContract("C001");
    EXPECT_EQ(form->orderOperationType(), 1048);
    std::vector<ttservice::CCodeOrderParam> orders;
    QString unused;
    ASSERT_TRUE(form->buildOrders(orders, error, unused)) << error.toStdString();
    ASSERT_EQ(orders.size(), 1u);
    const ttservice::CCodeOrderParam &order = orders.front();
    const ttservice::CRepurchaseAgreementParam a = agreementOf(order);
    // Ten days used of the contract, from 2 to 12 February.
    EXPECT_EQ(line(order.stock.stockCode, a.contractNo, a.trader, a.counterpartyDealer,
                   order.volume, a.firstSettleDate, a.repurchaseDays, a.repurchaseAmount),
              "206007 C001 T1 D2 15000 20260202 7 1001000");

    contract->direction = '2';
    EXPECT_EQ(form->orderOperationType(), 1049);
}

TEST_F(AgreementOrderTest, missingAccountDataIsLoggedAndChangesNothing)
{
    FakeOperation widget(OPT_AGREEMENT_DEAL_DECLARATION, kLoggedInAccount);
    EXPECT_EQ(widget.getAccountDataPtr(), accountData(kLoggedInAccount));
    LogCapture log;
    widget.setCurrentAccount(QStringLiteral("99999"));
    EXPECT_FALSE(widget.getAccountDataPtr());
    EXPECT_EQ(log.levelOf("] [TC::IBaseAgreementRepurchaseWidget::getAccountDataPtr] agreement "
                          "repurchase table match account 99999, but null account data ptr."),
              20000);

    Form form(OPT_AGREEMENT_DEAL_DECLARATION, nullptr, QStringLiteral("zolp_test_form"), false);
    EXPECT_EQ(form.getAccountDataPtr(), nullptr);
    EXPECT_EQ(log.levelOf("] [TC::IBaseAgreementContentWidget::getAccountDataPtr] agreement "
                          "repurchase table match account , but null account data ptr."),
              20000);
    form.refreshAccountInfo();
    EXPECT_TRUE(form.cells().funds->text().isEmpty());
    form.fillFromTurnDeal(QStringLiteral("IO1"));
    EXPECT_TRUE(form.cells().days->text().isEmpty());
    QString error;
    EXPECT_FALSE(form.checkOrderInput(error));
    EXPECT_EQ(error, QStringLiteral("没有选择账号, 无法下单!"));
}
