#include "ttservice/CInstrumentCenter.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "ttservice/TypeManager.h"
#include "ttservice/Types.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

using namespace ttservice;

namespace {

CAccountDataPtr accountWith(double funds, long long usable019547)
{
    auto info = boost::make_shared<CAccountInfo>();
    info->accountId = "10001";
    auto data = boost::make_shared<CAccountData>(info);
    if (funds >= 0) {
        auto detail = boost::make_shared<CAccountDetail>();
        detail->accountId = "10001";
        detail->availableFunds = funds;
        data->setAccountDetail(detail);
    }
    if (usable019547 >= 0) {
        auto p = boost::make_shared<CPositionStatics>();
        p->market = "SH";
        p->instrumentCode = "019547";
        p->usableVolume = usable019547;
        data->updateData(p, false);
    }
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

TEST(Calculator, buysWhatTheFundsPayForInLotsOfTen)
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
}

TEST(Calculator, sellsTheUsablePositionInLotsOfTenAndAnswersZeroForUnknownOperations)
{
    const CAccountDataPtr data = accountWith(1000000.0, 12345);
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

    // SH comes first whatever the order of listing; listed again under its own
    // key, the new record is the one found.
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    center.addInstrument(listed("SZ", "019547", "换名"));
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    center.addInstrument(listed("SH", "019547", "新名"));
    EXPECT_EQ("新名", center.findByCode("019547")->instrumentName);
    center.clear();
    EXPECT_TRUE(center.getAllInstruments().empty());
    EXPECT_FALSE(center.findByCode("019547"));
}

TEST(InstrumentCenter, everyChangeGivesAGenerationNoDirectoryHadBefore)
{
    CInstrumentCenter first;
    const std::uint64_t empty = first.generation();
    first.addInstrument(listed("SH", "122000"));
    const std::uint64_t one = first.generation();
    EXPECT_NE(one, empty);
    first.addInstrument(nullptr); // nothing listed, nothing changed
    EXPECT_EQ(first.generation(), one);
    CInstrumentCenter second; // a directory made anew does not look like the old one
    EXPECT_NE(second.generation(), empty);
    EXPECT_NE(second.generation(), one);
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

TEST(StockTypeCenter, answersFromItsTable)
{
    StockTypeCenter center;
    center.addTypedStock(186, "SH", "019547");
    EXPECT_TRUE(center.isTypedStock(186, "SH", "019547"));
    EXPECT_FALSE(center.isTypedStock(186, "SZ", "019547"));
    EXPECT_FALSE(center.isTypedStock(187, "SH", "019547"));
}
