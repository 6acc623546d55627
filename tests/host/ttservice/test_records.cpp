#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CQueryDataReq.h"
#include "ttservice/CRepurchaseAgreementParam.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

using namespace ttservice;

namespace {

// Writes the record to BSON bytes and reads it back into a fresh record.
template<class T> T roundTrip(const T &record)
{
    const bson::BSONObj wire = record.toBson();
    const bson::BSONObj copy(wire.objdata()); // reads only the bytes
    T back;
    back.bsonValueFromObj(copy.getOwned());
    return back;
}

CAccountInfoPtr account(const std::string &id)
{
    auto info = boost::make_shared<CAccountInfo>();
    info->accountId = id;
    info->accountName = "国债自营";
    info->brokerType = 0x100001;
    info->counterType = 2;
    info->displayId = "D-" + id;
    return info;
}

CRepurchaseAgreementParam filledAgreement()
{
    CRepurchaseAgreementParam p;
    p.bondMarket = "SH";
    p.bondCode = "019547";
    p.trader = "T01";
    p.dealer = "D01";
    p.counterpartyTrader = "T02";
    p.counterpartyDealer = "D02";
    p.counterpartyDealerName = "对手交易商";
    p.repurchaseAmount = 1000000.5;
    p.conversionRatio = 0.85;
    p.repurchaseRate = 0.0235;
    p.repurchaseDays = 7;
    p.maturitySettleDate = 20240115;
    p.firstSettleDate = 20240108;
    p.contractNo = "C0001";
    p.supplementaryTerms = "无";
    p.referenceNo = "R9";
    p.pledgee = "质权人甲";
    p.renewType = '1';
    p.tradingEntity = "E01";
    p.counterpartyEntity = "E02";
    p.settlementAmount = 1000456.78;
    p.stockProperty = '0';
    p.subjectType = 2;
    p.counterpartyClientName = "客户乙";
    p.pendingOrderRef = "P77";
    p.swapBondCode = "122000";
    p.swapPledgeVolume = 300;
    p.swapStockProperty = '1';
    return p;
}

CCodeOrderParam filledOrder()
{
    CCodeOrderParam o;
    o.accountInfo = account("10001");
    o.orderKind = '1';
    o.operationType = OPERATION_TYPE_SELL;
    o.stock.market = "SH";
    o.stock.instrumentTag = "SH019547";
    o.stock.stockCode = "019547";
    o.stock.stockName = "国债1901";
    o.priceMode = 11;
    o.price = 101.25;
    o.volume = 5000000000LL; // beyond 32 bits
    o.placedVolume = 120.0;
    o.userName = "trader01";
    o.counterpartyTrader = "T02";
    o.agreementNo = 123456;
    o.paramKind = 2;
    o.agreementParam = filledAgreement().toBson();
    o.contactPerson = "张三";
    o.contactMethod = "010-1234";
    return o;
}

} // namespace

TEST(RecordBson, agreementParamRoundTripsEveryField)
{
    const CRepurchaseAgreementParam p = filledAgreement();
    EXPECT_TRUE(roundTrip(p) == p);
}

TEST(RecordBson, agreementParamKeepsUnsetMarkersExactly)
{
    const CRepurchaseAgreementParam p;
    EXPECT_EQ(2147483647, p.maturitySettleDate);
    const CRepurchaseAgreementParam back = roundTrip(p);
    EXPECT_TRUE(back == p);
    EXPECT_EQ(std::numeric_limits<double>::max(), back.repurchaseAmount);
    EXPECT_EQ(kUnsetInt, back.swapPledgeVolume);
}

TEST(RecordBson, agreementParamWritesItsFieldsInDeclaredOrder)
{
    const std::vector<std::string> expected = { "bondMarket",
                                                "bondCode",
                                                "trader",
                                                "dealer",
                                                "counterpartyTrader",
                                                "counterpartyDealer",
                                                "counterpartyDealerName",
                                                "repurchaseAmount",
                                                "conversionRatio",
                                                "repurchaseRate",
                                                "repurchaseDays",
                                                "maturitySettleDate",
                                                "firstSettleDate",
                                                "contractNo",
                                                "supplementaryTerms",
                                                "referenceNo",
                                                "pledgee",
                                                "renewType",
                                                "tradingEntity",
                                                "counterpartyEntity",
                                                "settlementAmount",
                                                "stockProperty",
                                                "subjectType",
                                                "counterpartyClientName",
                                                "pendingOrderRef",
                                                "swapBondCode",
                                                "swapPledgeVolume",
                                                "swapStockProperty" };
    std::vector<std::string> names;
    const bson::BSONObj obj = CRepurchaseAgreementParam().toBson();
    bson::BSONObjIterator it(obj);
    while (it.more())
        names.push_back(it.next().fieldName());
    EXPECT_EQ(expected, names);
}

TEST(RecordBson, orderCarriesAccountStockAndAgreementAsSubObjects)
{
    const CCodeOrderParam order = filledOrder();
    const bson::BSONObj obj = order.toBson();
    EXPECT_EQ(bson::Object, obj.getField("accountInfo").type());
    EXPECT_EQ(bson::Object, obj.getField("stock").type());
    EXPECT_EQ(bson::Object, obj.getField("agreementParam").type());

    const CCodeOrderParam back = roundTrip(order);
    EXPECT_TRUE(back == order);
    ASSERT_TRUE(back.accountInfo);
    EXPECT_NE(order.accountInfo.get(), back.accountInfo.get());
    CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(back.agreementParam);
    EXPECT_TRUE(agreement == filledAgreement());
}

TEST(RecordBson, orderWithoutAccountAndWithUnsetPricesRoundTrips)
{
    const CCodeOrderParam order;
    const CCodeOrderParam back = roundTrip(order);
    EXPECT_TRUE(back == order);
    EXPECT_FALSE(back.accountInfo);
    EXPECT_EQ(kUnsetDouble, back.placedVolume);
    EXPECT_EQ(kUnsetDouble, back.price);
}

TEST(RecordBson, commandParamAndCommandKeepTheirOrdersInOrder)
{
    COrderComandParam command;
    command.commandKind = 0x100000;
    command.manual = true;
    command.commandText = "手工";
    command.orders.push_back(filledOrder());
    CCodeOrderParam second = filledOrder();
    second.stock.stockCode = "122000";
    second.accountInfo.reset();
    command.orders.push_back(second);
    const COrderComandParam back = roundTrip(command);
    EXPECT_TRUE(back == command);
    ASSERT_EQ(2u, back.orders.size());
    EXPECT_EQ("122000", back.orders[1].stock.stockCode);

    COrderCommand instruction;
    instruction.commandNo = 42;
    instruction.orders = command.orders;
    EXPECT_TRUE(roundTrip(instruction) == instruction);
    EXPECT_EQ("42", instruction.getKey());
}

TEST(RecordBson, emptyOrderListStaysAnArray)
{
    const COrderComandParam command;
    EXPECT_EQ(bson::Array, command.toBson().getField("orders").type());
    COrderComandParam back;
    back.orders.push_back(filledOrder());
    back.bsonValueFromObj(command.toBson());
    EXPECT_TRUE(back.orders.empty());
}

TEST(RecordBson, instrumentWithBondAndVarietyRoundTrips)
{
    CInstrumentDetail inst;
    inst.market = "SZ";
    inst.instrumentCode = "131990";
    inst.instrumentName = "协议回购7天";
    inst.instrumentTag = "R7";
    inst.accruedInterest = 0.123456789;
    inst.bondDetail = boost::make_shared<CBondDetail>();
    inst.bondDetail->faceValue = 100.0;
    inst.bondDetail->maturityDate = 20300101;
    inst.extraDetail = boost::make_shared<CBondInfoDetail>();
    inst.extraDetail->minDays = 1;
    inst.extraDetail->maxDays = 7;
    EXPECT_EQ(std::string("SZ") + KEY_SPLITTER + "131990", inst.getKey());
    EXPECT_TRUE(roundTrip(inst) == inst);

    CInstrumentDetail bare;
    bare.market = "SH";
    const CInstrumentDetail bareBack = roundTrip(bare);
    EXPECT_TRUE(bareBack == bare);
    EXPECT_FALSE(bareBack.bondDetail);
}

TEST(RecordBson, smallRecordsRoundTrip)
{
    CAccountDetail detail;
    detail.accountId = "10001";
    detail.availableFunds = 12345.67;
    EXPECT_TRUE(roundTrip(detail) == detail);
    EXPECT_TRUE(roundTrip(CAccountDetail()) == CAccountDetail());
    EXPECT_EQ(543, detail.dataType());

    CPositionStatics pos;
    pos.market = "SH";
    pos.instrumentCode = "019547";
    pos.instrumentName = "国债1901";
    pos.totalVolume = 9000000000LL;
    pos.usableVolume = 8000000000LL;
    EXPECT_TRUE(roundTrip(pos) == pos);
    EXPECT_EQ(547, pos.dataType());
    EXPECT_EQ(std::string("SH") + KEY_SPLITTER + "019547", pos.getKey());

    CBondInfoDetail variety;
    variety.market = "SH";
    variety.instrumentCode = "206007";
    variety.instrumentName = "7天";
    variety.minDays = 5;
    variety.maxDays = 7;
    EXPECT_TRUE(roundTrip(variety) == variety);

    CQueryDataReq req;
    req.dataType = 795;
    req.queryText = "T01";
    req.accountInfo = account("10002");
    EXPECT_TRUE(roundTrip(req) == req);
    EXPECT_EQ(0, static_cast<const IData &>(req).dataType());
}

TEST(RecordBson, readingKeepsFieldsTheObjectLacksOrMistypes)
{
    CRepurchaseAgreementParam p = filledAgreement();
    bson::BSONObjBuilder b;
    b.append("repurchaseDays", "seven"); // wrong type: ignored
    b.append("trader", "T99");
    p.bsonValueFromObj(b.obj());
    EXPECT_EQ(7, p.repurchaseDays);
    EXPECT_EQ("T99", p.trader);
    EXPECT_EQ("C0001", p.contractNo);
}
