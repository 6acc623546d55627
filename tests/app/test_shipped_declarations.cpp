// The declarations the demo ships are ones a trader can confirm: the paper
// exchange takes each of them, in the order of the file, and the deal or the
// contract it is about changes as the business has it.
#include "CContractRules.h"
#include "TerminalFixture.h"

#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchasePendingOrder.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"
#include "utils/DateText.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <map>

namespace {

using Rules = app::CContractRules;
using ContractPtr = ttservice::CRepurchaseAgreementContractInfoPtr;
using DeclarationPtr = ttservice::CRepurchasePendingOrderPtr;

// A Wednesday on which both exchanges trade.
const QDate kTradingDay(2026, 12, 9);

template<class T>
std::vector<boost::shared_ptr<T>> recordsOf(const ttservice::CAccountDataPtr &data)
{
    std::vector<ttservice::IDataPtr> records;
    data->getVector(T().dataType(), records);
    std::vector<boost::shared_ptr<T>> out;
    for (const ttservice::IDataPtr &record : records)
        out.push_back(boost::dynamic_pointer_cast<T>(record));
    return out;
}

ContractPtr contractOf(const ttservice::CAccountDataPtr &data, const std::string &no)
{
    return boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
        data->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, no));
}

// The running contract a confirmation made (a deal's, a renewal's); null when none.
ContractPtr madeFor(const ttservice::CAccountDataPtr &data, const std::string &ref)
{
    for (const ContractPtr &c : recordsOf<ttservice::CRepurchaseAgreementContractInfo>(data))
        if (c->referenceNo == ref && c->contractStatus == Rules::STATUS_RUNNING)
            return c;
    return ContractPtr();
}

// Available position per bond code of the market.
std::map<std::string, long long> usableOf(const ttservice::CAccountDataPtr &data,
                                          const std::string &market)
{
    std::map<std::string, long long> usable;
    for (const auto &pos : recordsOf<ttservice::CPositionStatics>(data))
        if (pos->market == market)
            usable[pos->instrumentCode] = pos->usableVolume;
    return usable;
}

std::map<std::string, long long> pledgeOf(const ContractPtr &c)
{
    std::map<std::string, long long> pledged;
    if (c)
        for (const auto &bond : c->pledgedBonds)
            pledged[bond->bondCode] += bond->pledgeVolume;
    return pledged;
}

// What confirming a declaration does to the account, as the business has it.
struct Effect
{
    int status = 0; // of the contract it is about afterwards (none for a deal)
    double cash = 0.0; // change of the available funds
    std::map<std::string, long long> usable; // change of the available position per bond
    std::map<std::string, long long> pledged; // change of the contract's pledge per bond
};

Effect effectOf(const ttservice::CRepurchasePendingOrder &d, const ContractPtr &about)
{
    // The repo side ('0') receives the money of a deal and pays to close;
    // only its own bonds come and go from its position.
    const bool repo = d.direction == '0';
    const double received = repo ? 1.0 : -1.0;
    Effect e;
    switch (d.declareType) {
    case '0':
        e.cash = received * d.repurchaseAmount;
        for (const auto &bond : d.pledgedBonds)
            e.usable[bond->bondCode] -= repo ? bond->pledgeVolume : 0;
        break;
    case '1':
        e.status = Rules::STATUS_RENEWED;
        e.cash = received * (d.repurchaseAmount - Rules::dueAtMaturity(*about));
        break;
    case '2':
    case '4': {
        const bool release = d.declareType == '4';
        e.status = release ? Rules::STATUS_RELEASED : Rules::STATUS_REPURCHASED;
        e.cash = -received
            * (release && d.releaseSettleAmount > 0 ? d.releaseSettleAmount
                                                    : d.maturitySettleAmount);
        for (const auto &held : pledgeOf(about))
            e.usable[held.first] += repo ? held.second : 0;
        break;
    }
    case '3':
        e.status = Rules::STATUS_RUNNING;
        for (const auto &bond : d.pledgedBonds) {
            const long long in = bond->swapFlag == '1' ? bond->pledgeVolume : -bond->pledgeVolume;
            e.pledged[bond->bondCode] += in;
            e.usable[bond->bondCode] -= repo ? in : 0;
        }
        break;
    }
    return e;
}

// The code the 待确认申报 table answers a declaration of `type` with, for the
// declaration's side.
int confirmationCode(const ttservice::CRepurchasePendingOrder &d)
{
    const bool repo = d.direction == '0';
    const std::map<int, int> codes = { { '0', 1065 },
                                       { '1', 1067 },
                                       { '2', repo ? 1072 : 1092 },
                                       { '3', 1070 },
                                       { '4', repo ? 1075 : 1095 } };
    return codes.at(d.declareType);
}

class ShippedDeclarations : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        write("host.ini", "[exchange]\nanswerDelayMs=0\n[feed]\npositionIntervalMs=0\n");
        TC::CHostClock::setToday(kTradingDay);
        ASSERT_TRUE(load(host));
        host.start();
    }

    // Answers `d` as the 待确认申报 table's confirmation does.
    void confirm(const ttservice::CAccountDataPtr &data,
                 const ttservice::CRepurchasePendingOrder &d)
    {
        ttservice::CCodeOrderParam order;
        order.accountInfo = data->getAccountInfo();
        order.operationType = static_cast<ttservice::EOperationType>(confirmationCode(d));
        order.stock.market = d.market;
        order.stock.stockCode = d.contractCode;
        order.volume = 10;
        order.paramKind = 2;
        ttservice::CRepurchaseAgreementParam agreement;
        agreement.pendingOrderRef = d.pendingOrderRef;
        agreement.trader = d.trader;
        agreement.counterpartyDealer = d.counterpartyDealer;
        agreement.counterpartyTrader = d.counterpartyTrader;
        agreement.repurchaseAmount = d.repurchaseAmount;
        order.agreementParam = agreement.toBson();
        ASSERT_TRUE(sendCommand({ order }));
        ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));
    }

    app::CSimulatedHost host;
};

} // namespace

TEST_F(ShippedDeclarations, everyOneIsConfirmedAndChangesTheDealOrContractAsItsTypeDoes)
{
    EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join('\n').toStdString();
    std::map<int, int> confirmed; // per type
    for (const std::string id : { "880001", "880002" }) {
        const ttservice::CAccountDataPtr data
            = ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(id);
        ASSERT_TRUE(data);
        for (const DeclarationPtr &d : recordsOf<ttservice::CRepurchasePendingOrder>(data)) {
            const std::string &ref = d->pendingOrderRef;
            SCOPED_TRACE(ref);
            ContractPtr about;
            if (d->declareType != '0') {
                about = contractOf(data, Rules::contractOfRef(ref));
                ASSERT_TRUE(about) << "a declaration of type " << char(d->declareType)
                                   << " names a contract of the account";
                EXPECT_EQ(about->market, d->market);
                EXPECT_EQ(about->direction == '1', d->direction == '0') << "the same side";
                EXPECT_EQ(about->counterpartyTrader, d->counterpartyTrader)
                    << "declared by the contract's counterparty";
            }
            const Effect effect = effectOf(*d, about);
            const double cash = data->getAccountDetail()->availableFunds;
            const auto usable = usableOf(data, d->market);
            utils::CManualSingletonT<TC::CMsgService>::instance()->clear();

            confirm(data, *d);
            const QStringList refused = paper::messages().filter(QStringLiteral("委托被拒绝"));
            ASSERT_TRUE(refused.isEmpty()) << refused.join('\n').toStdString();
            ++confirmed[d->declareType];
            EXPECT_FALSE(data->getData(ttservice::DATA_TYPE_PENDING_ORDER, ref))
                << "an answered declaration leaves the list";
            EXPECT_NEAR(data->getAccountDetail()->availableFunds - cash, effect.cash, 0.005);
            auto moved = usableOf(data, d->market);
            for (const auto &before : usable)
                moved[before.first] -= before.second;
            for (const auto &change : effect.usable)
                EXPECT_EQ(moved[change.first], change.second) << "available " << change.first;

            const ContractPtr made = madeFor(data, ref);
            if (d->declareType == '0' || d->declareType == '1') {
                // A deal, or the contract a renewal closes into, from today for the declared term.
                ASSERT_TRUE(made) << "no running contract made";
                EXPECT_EQ(made->direction == '1', d->direction == '0');
                EXPECT_DOUBLE_EQ(made->repurchaseAmount, d->repurchaseAmount);
                EXPECT_EQ(made->firstSettleDate, utils::dateNumber(kTradingDay));
                EXPECT_EQ(made->maturitySettleDate,
                          utils::dateNumber(kTradingDay.addDays(d->repurchaseDays)));
            }
            if (!about)
                continue;
            const ContractPtr after = contractOf(data, about->contractNo);
            EXPECT_EQ(char(after->contractStatus), char(effect.status));
            if (d->declareType == '1') {
                EXPECT_EQ(pledgeOf(made), pledgeOf(about)) << "the same bonds stay pledged";
            }
            auto pledge = pledgeOf(after);
            for (const auto &before : pledgeOf(about))
                pledge[before.first] -= before.second;
            for (const auto &change : effect.pledged)
                EXPECT_EQ(pledge[change.first], change.second) << "pledged " << change.first;
        }
    }
    for (int type : { '0', '1', '2', '3', '4' })
        EXPECT_GE(confirmed[type], 2) << "declarations of type " << char(type);
}
