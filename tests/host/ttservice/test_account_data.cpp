#include "ttservice/CAccountData.h"
#include "ttservice/CInstrumentCenter.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"
#include "ttservice/Types.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace ttservice;

namespace {

CAccountDataPtr makeAccount()
{
    auto info = boost::make_shared<CAccountInfo>();
    info->accountId = "10001";
    return boost::make_shared<CAccountData>(info);
}

CPositionStaticsPtr position(const std::string &code, long long usable)
{
    auto p = boost::make_shared<CPositionStatics>();
    p->market = "SH";
    p->instrumentCode = code;
    p->usableVolume = usable;
    return p;
}

std::string key(const std::string &code)
{
    return std::string("SH") + KEY_SPLITTER + code;
}

long long usableOf(const IDataPtr &data)
{
    const auto p = boost::dynamic_pointer_cast<CPositionStatics>(data);
    return p ? p->usableVolume : -1;
}

// The funds record of account 10001.
CAccountDetailPtr fundsOf(double available)
{
    auto detail = boost::make_shared<CAccountDetail>();
    detail->accountId = "10001";
    detail->availableFunds = available;
    return detail;
}

// An account with funds and a usable SH 019547 position (each left out when negative).
CAccountDataPtr accountWith(double funds, long long usable019547)
{
    const CAccountDataPtr data = makeAccount();
    if (funds >= 0)
        data->setAccountDetail(fundsOf(funds));
    if (usable019547 >= 0)
        data->updateData(position("019547", usable019547), false);
    return data;
}

long long maxQuantity(const CAccountDataPtr &data, int operation, double price,
                      const std::string &code = "019547")
{
    CalcParameter param;
    param.accountData = data;
    param.market = "SH";
    param.instrumentCode = code;
    param.operationType = operation;
    param.price = price;
    return TraderCenter::instance()->getCalculator()->calcMaxOrderQuantity(param);
}

CInstrumentDetailPtr listed(const char *market, const char *code, const char *name = "")
{
    auto instrument = boost::make_shared<CInstrumentDetail>();
    instrument->market = market;
    instrument->instrumentCode = code;
    instrument->instrumentName = name;
    return instrument;
}

} // namespace

TEST(AccountData, keepsRecordsByTypeAndKeyInArrivalOrder)
{
    const CAccountDataPtr data = makeAccount();
    for (const char *code : { "019547", "010107", "019666" })
        data->updateData(position(code, 1), false);
    data->updateData(position("019547", 30), false); // replaces, keeps its place
    std::vector<IDataPtr> out { position("stale", 1) };
    data->getVector(547, out);
    ASSERT_EQ(3u, out.size());
    EXPECT_EQ(30, usableOf(out[0]));
    EXPECT_FALSE(data->getData(547, key("999999")));
    EXPECT_FALSE(data->getData(788, key("019547")));
    data->getVector(788, out);
    EXPECT_TRUE(out.empty());

    EXPECT_TRUE(data->removeData(547, key("019547")));
    EXPECT_FALSE(data->removeData(547, key("019547")));
    EXPECT_FALSE(data->removeData(788, key("010107")));
    EXPECT_FALSE(data->getData(547, key("019547")));
    data->updateData(position("019666", 5), false); // the index moved with the removal
    data->updateData(position("019547", 7), false); // back, at the end
    data->getVector(547, out);
    std::vector<long long> usable;
    for (const IDataPtr &record : out)
        usable.push_back(usableOf(record));
    EXPECT_EQ((std::vector<long long> { 1, 5, 7 }), usable);
    EXPECT_EQ(5, usableOf(data->getData(547, key("019666"))));
}

// A subscription sees the notified records of its type (and key); funds are type 543.
TEST(AccountData, subscriptionSeesItsTypeAndKeyOnlyWhenNotified)
{
    const CAccountDataPtr data = makeAccount();
    std::vector<long long> all;
    std::vector<long long> one;
    int funds = 0;
    const auto allRequest
        = data->subscribe(547, "", [&](IDataPtr d) { all.push_back(usableOf(d)); });
    const auto oneRequest
        = data->subscribe(547, key("010107"), [&](IDataPtr d) { one.push_back(usableOf(d)); });
    const auto fundsRequest = data->subscribe(543, "", [&](IDataPtr) { ++funds; });
    ASSERT_TRUE(allRequest && oneRequest && fundsRequest);
    EXPECT_FALSE(data->subscribe(547, "", CAccountData::Callback()));

    data->updateData(position("019547", 1), true);
    data->updateData(position("010107", 2), true);
    data->updateData(position("010107", 3), false); // stored silently
    EXPECT_EQ((std::vector<long long> { 1, 2 }), all);
    EXPECT_EQ((std::vector<long long> { 2 }), one);
    EXPECT_EQ(3, usableOf(data->getData(547, key("010107"))));

    EXPECT_FALSE(data->getAccountDetail());
    const CAccountDetailPtr detail = fundsOf(88.0);
    data->setAccountDetail(detail);
    EXPECT_EQ(detail, data->getData(543, "10001"));
    data->updateData(fundsOf(99.0), true);
    EXPECT_EQ(99.0, data->getAccountDetail()->availableFunds);
    EXPECT_EQ(2, funds);
    EXPECT_EQ(2u, all.size());
}

TEST(AccountData, callbackMayReadDataAndDropItsOwnRequest)
{
    const CAccountDataPtr data = makeAccount();
    CSubscribeRequestPtr request;
    int calls = 0;
    long long seen = 0;
    request = data->subscribe(547, "", [&](IDataPtr d) {
        ++calls;
        seen = usableOf(data->getData(547, d->getKey())); // no self-deadlock
        request.reset();
    });
    data->updateData(position("019547", 7), true);
    data->updateData(position("019547", 8), true);
    EXPECT_EQ(1, calls);
    EXPECT_EQ(7, seen);
}

TEST(AccountData, droppedSubscriptionLetsGoOfItsCallbackAndIsNotCalledAgain)
{
    const CAccountDataPtr data = makeAccount();
    std::atomic<bool> stop { false };
    std::atomic<int> lateCalls { 0 };
    std::atomic<int> calls { 0 };
    std::thread pusher([&] {
        long long n = 0;
        while (!stop)
            data->updateData(position("019547", ++n), true);
    });
    for (int round = 0; round < 2000; ++round) {
        auto released = std::make_shared<std::atomic<bool>>(false);
        auto held = std::make_shared<int>(0); // counts the copies of the callback
        CSubscribeRequestPtr request
            = data->subscribe(547, "", [held, released, &lateCalls, &calls](IDataPtr) {
                  ++calls;
                  if (*released)
                      ++lateCalls;
              });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (calls == 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield(); // the pusher is really running
        request.reset();
        while (held.use_count() > 1 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        EXPECT_EQ(1, held.use_count()) << "the callback is still held after its drop";
        *released = true;
        if (held.use_count() > 1 || calls == 0)
            break;
    }
    stop = true;
    EXPECT_GT(calls.load(), 0) << "the subscription saw no push";
    pusher.join();
    EXPECT_EQ(0, lateCalls.load());
    EXPECT_EQ(0, data->subscriptionCount());
}

TEST(AccountData, droppingDoesNotWaitForACallbackThatWaitsForTheDropper)
{
    const CAccountDataPtr data = makeAccount();
    std::promise<void> entered;
    std::promise<void> dropperDone;
    std::shared_future<void> dropperDoneFuture = dropperDone.get_future().share();
    std::atomic<bool> sawDropperFinish { false };
    CSubscribeRequestPtr request = data->subscribe(547, "", [&](IDataPtr) {
        entered.set_value();
        // Waits (bounded, so a regression fails instead of hanging) for the dropper.
        sawDropperFinish
            = dropperDoneFuture.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    });
    std::thread pusher([&] { data->updateData(position("019547", 1), true); });
    entered.get_future().wait();
    request.reset(); // would wait for the callback, which waits for this thread
    dropperDone.set_value();
    pusher.join();
    EXPECT_TRUE(sawDropperFinish.load());
}

TEST(Calculator, buysWhatTheFundsPayForSellsTheUsablePositionInLotsOfTenOtherwiseZero)
{
    const CAccountDataPtr data = accountWith(1000000.0, 12345);
    EXPECT_EQ(9870, maxQuantity(data, OPERATION_TYPE_BUY, 101.2345)); // 9877.9 -> 9870
    EXPECT_EQ(0, maxQuantity(data, OPERATION_TYPE_BUY, 0.0));
    EXPECT_EQ(0, maxQuantity(data, OPERATION_TYPE_BUY, kUnsetDouble));
    EXPECT_EQ(10, maxQuantity(accountWith(1003.5, -1), OPERATION_TYPE_BUY, 100.35));
    EXPECT_EQ(0, maxQuantity(accountWith(999.0, -1), OPERATION_TYPE_BUY, 100.0));
    EXPECT_EQ(0, maxQuantity(accountWith(0.0, -1), OPERATION_TYPE_BUY, 100.0));
    EXPECT_EQ(0, maxQuantity(accountWith(-1.0, 100), OPERATION_TYPE_BUY, 100.0)); // no funds record
    EXPECT_EQ(0, maxQuantity(accountWith(kUnsetDouble, -1), OPERATION_TYPE_BUY, 100.0));
    EXPECT_EQ(0, maxQuantity(CAccountDataPtr(), OPERATION_TYPE_BUY, 100.0));
    EXPECT_EQ(12340, maxQuantity(data, OPERATION_TYPE_SELL, 101.0));
    EXPECT_EQ(0, maxQuantity(data, OPERATION_TYPE_SELL, 101.0, "122000")); // no position
    EXPECT_EQ(0, maxQuantity(accountWith(-1.0, 9), OPERATION_TYPE_SELL, 101.0));
    // A seller who has not typed a price still sees his position.
    EXPECT_EQ(12340, maxQuantity(data, OPERATION_TYPE_SELL, 0.0));
    EXPECT_EQ(12340, maxQuantity(data, OPERATION_TYPE_SELL, -1.0));
    EXPECT_EQ(0, maxQuantity(data, 1054, 100.0));
}

TEST(InstrumentCenter, listsByMarketThenCodeAndFindsACodeInTheFirstMarket)
{
    CInstrumentCenter center;
    center.addInstrument(listed("SZ", "019547"));
    EXPECT_EQ("SZ", center.findByCode("019547")->market);
    for (const auto &mc : { std::make_pair("SZ", "101901"), std::make_pair("SH", "122000"),
                            std::make_pair("SH", "019547") })
        center.addInstrument(listed(mc.first, mc.second));
    std::vector<std::string> keys;
    for (const auto &entry : center.getAllInstruments())
        keys.push_back(entry.second->market + entry.second->instrumentCode);
    EXPECT_EQ((std::vector<std::string> { "SH019547", "SH122000", "SZ019547", "SZ101901" }), keys);
    ASSERT_TRUE(center.getInstrument("SZ", "101901"));
    EXPECT_FALSE(center.getInstrument("SH", "101901"));
    EXPECT_FALSE(center.findByCode("000000"));

    // SH comes first whatever the order of listing; a record listed again replaces the old.
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    center.addInstrument(listed("SZ", "019547", "换名"));
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    const std::uint64_t before = center.generation();
    center.addInstrument(listed("SH", "019547", "新名"));
    EXPECT_EQ("新名", center.findByCode("019547")->instrumentName);
    EXPECT_NE(center.generation(), before); // the search lists rebuild on a new generation
    center.clear();
    EXPECT_TRUE(center.getAllInstruments().empty());
    EXPECT_FALSE(center.findByCode("019547"));
}

TEST(TypeManager, namesValuesFromItsTable)
{
    TypeManager *types = TypeManager::instance();
    EXPECT_EQ("非限售股", types->getEnumItemName("ttservice::EStkProp", 48, 1));
    EXPECT_EQ("限售股", types->getEnumItemName("ttservice::EStkProp", 49, 1));
    EXPECT_EQ("成交申报", types->getEnumItemName("ttservice::EDeclareType", '0', 1));
    EXPECT_EQ("解除质押", types->getEnumItemName("ttservice::EDeclareType", '4', 1));
    EXPECT_EQ("正常", types->getEnumItemName("ttservice::EContractStatus", '1', 0x100000));
    EXPECT_EQ("57", types->getEnumItemName("ttservice::EStkProp", 57, 1));
    EXPECT_EQ("48", types->getEnumItemName("ttservice::ENoSuchEnum", 48, 1));
}
