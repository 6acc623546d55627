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

TEST(DataCenter, findsAccountDataByKey)
{
    CDataCenter center;
    const CAccountDataPtr data = accountWith(1.0, -1);
    center.addAccountData(data);
    center.addAccountData(CAccountDataPtr());
    EXPECT_EQ(data, center.getAccountData("10001"));
    EXPECT_FALSE(center.getAccountData("10002"));
    EXPECT_EQ(std::vector<std::string> { "10001" }, center.accountKeys());
    center.clear();
    EXPECT_FALSE(center.getAccountData("10001"));
}

TEST(InstrumentCenter, listsByMarketThenCodeAndLooksUp)
{
    CInstrumentCenter center;
    for (const auto &mc : { std::make_pair("SZ", "101901"), std::make_pair("SH", "122000"),
                            std::make_pair("SH", "019547"), std::make_pair("SZ", "019547") }) {
        auto inst = boost::make_shared<CInstrumentDetail>();
        inst->market = mc.first;
        inst->instrumentCode = mc.second;
        center.addInstrument(inst);
    }
    std::vector<std::string> keys;
    for (const auto &entry : center.getAllInstruments())
        keys.push_back(entry.second->market + entry.second->instrumentCode);
    EXPECT_EQ((std::vector<std::string> { "SH019547", "SH122000", "SZ019547", "SZ101901" }), keys);
    ASSERT_TRUE(center.getInstrument("SZ", "101901"));
    EXPECT_FALSE(center.getInstrument("SH", "101901"));
    EXPECT_EQ("SH", center.findByCode("019547")->market);
    EXPECT_FALSE(center.findByCode("000000"));
    center.clear();
    EXPECT_TRUE(center.getAllInstruments().empty());
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

    types->setEnumItemName("ttservice::EStkProp", 48, "流通股");
    EXPECT_EQ("流通股", types->getEnumItemName("ttservice::EStkProp", 48, 1));
    types->resetToDefaults();
    EXPECT_EQ("非限售股", types->getEnumItemName("ttservice::EStkProp", 48, 1));
}

TEST(StockTypeCenter, answersFromItsTable)
{
    StockTypeCenter center;
    center.addTypedStock(186, "SH", "019547");
    EXPECT_TRUE(center.isTypedStock(186, "SH", "019547"));
    EXPECT_FALSE(center.isTypedStock(186, "SZ", "019547"));
    EXPECT_FALSE(center.isTypedStock(187, "SH", "019547"));
    center.clear();
    EXPECT_FALSE(center.isTypedStock(186, "SH", "019547"));
}
