// Checking and building one agreement repurchase order, its agreement part
// serialised to BSON, for each of the eight agreement operation types. The
// rules run on a snapshot of a filled form, without widgets; the host world
// holds one logged-in account, its contract and the pledged bond.
//
// Target: at most 10 us per order.
#include "agreement/CAgreementOrderBuilder.h"
#include "agreement/IBaseAgreementContentWidget.h"

#include "tc/CTradeClient.h"
#include "tc/CUserManager.h"
#include "tc/HostReset.h"
#include "ttservice/CBondDetail.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <QCoreApplication>

#include <boost/make_shared.hpp>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace TC;

const char kAccount[] = "10001";

ttservice::CRepurchaseAgreementContractInfoPtr g_contract;

void setUpHost()
{
    resetHostForTests();
    CUserConfig *config = getUserConfig();
    config->userName = QStringLiteral("trader01");
    config->deploymentCode = 100;
    ttservice::CAccountInfo info;
    info.accountId = kAccount;
    info.brokerType = 1;
    const CAccountPtr account = config->addAccount(info);
    utils::CManualSingletonT<CTradeClient>::instance()->setLoginStatus(
        kAccount, ttservice::BROKER_LOGIN_STATUS_OK);

    auto bond = boost::make_shared<ttservice::CInstrumentDetail>();
    bond->market = "SH";
    bond->instrumentCode = "019547";
    bond->instrumentName = "国债1901";
    bond->bondDetail = boost::make_shared<ttservice::CBondDetail>();
    bond->bondDetail->faceValue = 100.0;
    ttservice::TraderCenter::instance()->getInstCenter()->addInstrument(bond);

    g_contract = boost::make_shared<ttservice::CRepurchaseAgreementContractInfo>();
    g_contract->contractNo = "C001";
    g_contract->market = "SH";
    g_contract->direction = '1';
    g_contract->repurchaseAmount = 1000000;
    g_contract->conversionRatio = 0.6;
    g_contract->repurchaseRate = 0.0365;
    g_contract->repurchaseDays = 7;
    g_contract->firstSettleDate = 20260202;
    g_contract->maturitySettleDate = 20260209;
    g_contract->maturitySettleAmount = 1000700;
    g_contract->referenceNo = "REF1";
    auto pledged = boost::make_shared<ttservice::CRepurchasePledgedBond>();
    pledged->market = "SH";
    pledged->bondCode = "019547";
    pledged->pledgeVolume = 15000;
    g_contract->pledgedBonds.push_back(pledged);
    account->getAccountData()->updateData(g_contract, false);
}

ttservice::CPledgedBondInfo row(const std::string &code, double amount, int volume)
{
    ttservice::CPledgedBondInfo r;
    r.market = "SH";
    r.bondCode = code;
    r.pledgeAmount = amount;
    r.pledgeVolume = volume;
    return r;
}

// A form of `type` filled as a trader fills it.
CAgreementOrderBuilder::Input filledForm(ETradeOperationType type)
{
    CAgreementOrderBuilder::Input in;
    in.operationType = type;
    in.accountKey = QString::fromLatin1(kAccount);
    auto variety = boost::make_shared<ttservice::CBondInfoDetail>();
    variety->market = "SH";
    variety->instrumentCode = "206007";
    variety->instrumentName = "GC007";
    variety->minDays = 4;
    variety->maxDays = 7;
    in.variety = variety;
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
        in.counterpartyDealerName = QStringLiteral("券商乙");
        in.subjectType = 2;
    }
    if (type != OPT_AGREEMENT_MATURITY_CONFIRM)
        in.supplementaryTerms = QStringLiteral("按约定");
    if (declaration || type == OPT_AGREEMENT_MATURITY_RENEWAL) {
        in.days = 7;
        in.actualDays = 12;
        in.maturitySettleDate = 20260224;
    }
    if (declaration) {
        in.varietyName = QStringLiteral("GC007");
        in.firstSelection = { row("019547", 1200000, 12000) };
        in.firstSelectionTotal = 1200000;
    } else {
        in.contractKey = "C001";
        in.contract = g_contract;
    }
    if (intention) {
        in.contactPerson = QStringLiteral("张三");
        in.contactMethod = QStringLiteral("13800000000");
    }
    if (type == OPT_AGREEMENT_MATURITY_RENEWAL) {
        in.renewType = 48;
        in.originalInterest = 700;
    }
    if (type == OPT_AGREEMENT_PLEDGE_CHANGE) {
        in.swapIncome = 0;
        in.firstSelection = { row("122000", 500000, 5000) };
        in.firstSelectionTotal = 500000;
        in.secondSelection = { row("019547", 300000, 3000) };
        in.secondSelectionTotal = 300000;
    }
    if (type == OPT_AGREEMENT_PLEDGE_RELEASE)
        in.settlementAmount = 1000700;
    return in;
}

void BM_AgreementOrder(benchmark::State &state)
{
    const auto type = static_cast<ETradeOperationType>(state.range(0));
    const CAgreementOrderBuilder::Input input = filledForm(type);
    std::vector<ttservice::CCodeOrderParam> orders;
    QString error;
    for (auto _ : state) {
        // The form reads the host for every order it places.
        if (!CAgreementOrderBuilder::buildOrders(
                input, IBaseAgreementContentWidget::orderHost(input), orders, error)) {
            state.SkipWithError(error.toStdString().c_str());
            break;
        }
        benchmark::DoNotOptimize(orders.front().agreementParam.objdata());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(std::to_string(int(type)));
}

BENCHMARK(BM_AgreementOrder)
    ->ArgName("type")
    ->Arg(OPT_AGREEMENT_DEAL_DECLARATION)
    ->Arg(OPT_AGREEMENT_MATURITY_CONFIRM)
    ->Arg(OPT_AGREEMENT_EARLY_REPURCHASE)
    ->Arg(OPT_AGREEMENT_MATURITY_RENEWAL)
    ->Arg(OPT_AGREEMENT_INTENTION_REPO)
    ->Arg(OPT_AGREEMENT_INTENTION_REVERSE_REPO)
    ->Arg(OPT_AGREEMENT_PLEDGE_CHANGE)
    ->Arg(OPT_AGREEMENT_PLEDGE_RELEASE)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    setUpHost();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_contract.reset();
    resetHostForTests();
    return 0;
}
