#include "RecordTesting.h"

#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CQueryDataReq.h"
#include "ttservice/CRepurchaseAgreementParam.h"

#include <climits>
#include <cmath>
#include <limits>

using namespace ttservice;

namespace {

// Character codes travel as their numbers: 48 is '0', 49 is '1'.
const std::string kAgreement
    = "{ bondMarket: 'SH', bondCode: '019547', trader: 'T01', dealer: 'D01', "
      "counterpartyTrader: 'T02', counterpartyDealer: 'D02', counterpartyDealerName: '对手交易商', "
      "repurchaseAmount: 1000000.5, conversionRatio: 0.85, repurchaseRate: 0.0235, "
      "repurchaseDays: 7, maturitySettleDate: 20240115, firstSettleDate: 20240108, "
      "contractNo: 'C0001', supplementaryTerms: '无', referenceNo: 'R9', pledgee: '质权人甲', "
      "renewType: 49, tradingEntity: 'E01', counterpartyEntity: 'E02', "
      "settlementAmount: 1000456.78, stockProperty: 48, subjectType: 2, "
      "counterpartyClientName: '客户乙', pendingOrderRef: 'P77', swapBondCode: '122000', "
      "swapPledgeVolume: 300, swapStockProperty: 49 }";

// A sell order of 5,000,000,000 张: the volume needs more than 32 bits.
const std::string kOrder = "{ accountInfo: " + accountJson("10001")
    + ", orderKind: 49, operationType: 1053, stock: { market: 'SH', instrumentTag: 'SH019547', "
      "stockCode: '019547', stockName: '国债1901' }, priceMode: 11, price: 101.25, "
      "volume: 5000000000, placedVolume: 120.0, userName: 'trader01', counterpartyTrader: 'T02', "
      "agreementNo: 123456, paramKind: 2, agreementParam: "
    + kAgreement + ", contactPerson: '张三', contactMethod: '010-1234' }";

} // namespace

TEST(RecordBson, agreementParamReadsAndWritesEveryFieldInDeclaredOrder)
{
    const auto p = fromJson<CRepurchaseAgreementParam>(kAgreement);
    EXPECT_EQ("对手交易商", p.counterpartyDealerName);
    EXPECT_EQ(0.0235, p.repurchaseRate);
    EXPECT_EQ(300, p.swapPledgeVolume);
    expectRoundTrips(p);
    // The comparison the order tests rely on sees the swapped volume too.
    CRepurchaseAgreementParam other = p;
    other.swapPledgeVolume = 301;
    EXPECT_FALSE(other == p);
}

TEST(RecordBson, orderCarriesAccountStockAndAgreementAsSubObjects)
{
    const auto order = fromJson<CCodeOrderParam>(kOrder);
    ASSERT_TRUE(order.accountInfo);
    EXPECT_EQ("D-10001", order.accountInfo->displayId);
    EXPECT_EQ(OPERATION_TYPE_SELL, order.operationType);
    EXPECT_EQ(5000000000LL, order.volume);
    EXPECT_EQ("019547", order.stock.stockCode);

    const CCodeOrderParam back = roundTrip(order);
    EXPECT_TRUE(back == order);
    EXPECT_NE(order.accountInfo.get(), back.accountInfo.get());
    CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(back.agreementParam);
    EXPECT_TRUE(agreement == fromJson<CRepurchaseAgreementParam>(kAgreement));
    expectRoundTrips(order); // a default order has no account and unset prices
}

TEST(RecordBson, commandParamAndCommandKeepTheirOrdersInOrder)
{
    auto command = fromJson<COrderComandParam>(
        "{ commandKind: 1048576, commandSubKind: 3, orders: [], commandMode: 2, manual: true, "
        "commandText: '手工', commandOption: 5 }");
    CCodeOrderParam second = fromJson<CCodeOrderParam>(kOrder);
    second.stock.stockCode = "122000";
    second.accountInfo.reset();
    command.orders = { fromJson<CCodeOrderParam>(kOrder), second };
    const COrderComandParam back = roundTrip(command);
    EXPECT_TRUE(back == command);
    ASSERT_EQ(2u, back.orders.size());
    EXPECT_EQ("122000", back.orders[1].stock.stockCode);
    EXPECT_FALSE(back.orders[1].accountInfo);
    expectRoundTrips(command);

    auto instruction = fromJson<COrderCommand>("{ commandNo: 42, orders: [] }");
    instruction.orders = command.orders;
    expectRoundTrips(instruction);
    EXPECT_EQ("42", instruction.getKey());

    // An empty list is still an array, and reading it drops the orders held.
    COrderComandParam cleared = command;
    cleared.bsonValueFromObj(COrderComandParam().toBson());
    EXPECT_TRUE(cleared.orders.empty());
}

TEST(RecordBson, instrumentWithBondAndVarietyRoundTrips)
{
    const auto inst = fromJson<CInstrumentDetail>(
        "{ market: 'SZ', instrumentCode: '131990', instrumentName: '协议回购7天', "
        "instrumentTag: 'R7', accruedInterest: 0.123456789, bondDetail: { market: 'SZ', "
        "instrumentCode: '131990', faceValue: 100.0, couponRate: 0.0325, maturityDate: 20300101 }, "
        "extraDetail: { market: 'SZ', instrumentCode: '131990', instrumentName: '7天', minDays: 1, "
        "maxDays: 7 } }");
    ASSERT_TRUE(inst.bondDetail && inst.extraDetail);
    EXPECT_EQ(7, inst.extraDetail->maxDays);
    EXPECT_EQ(std::string("SZ") + KEY_SPLITTER + "131990", inst.getKey());
    expectRoundTrips(inst);
    EXPECT_FALSE(roundTrip(CInstrumentDetail()).bondDetail);
}

TEST(RecordBson, smallRecordsRoundTripWithTheirTypesAndKeys)
{
    const auto detail = fromJson<CAccountDetail>(
        "{ accountId: '10001', availableFunds: 12345.67, totalAssets: 99999.5 }");
    expectRoundTrips(detail);
    EXPECT_EQ(543, detail.dataType());

    const auto pos = fromJson<CPositionStatics>(
        "{ market: 'SH', instrumentCode: '019547', instrumentName: '国债1901', "
        "totalVolume: 9000000000, usableVolume: 8000000000 }");
    expectRoundTrips(pos);
    EXPECT_EQ(547, pos.dataType());
    EXPECT_EQ(std::string("SH") + KEY_SPLITTER + "019547", pos.getKey());

    expectRoundTrips(fromJson<CBondInfoDetail>("{ market: 'SH', instrumentCode: '206007', "
                                               "instrumentName: '7天', minDays: 5, maxDays: 7 }"));

    const auto req = fromJson<CQueryDataReq>(
        "{ dataType: 795, queryText: 'T01', accountInfo: " + accountJson("10002") + " }");
    expectRoundTrips(req);
    EXPECT_EQ(0, static_cast<const IData &>(req).dataType());
}

TEST(RecordBson, readingKeepsFieldsTheObjectLacksOrMistypes)
{
    auto p = fromJson<CRepurchaseAgreementParam>(kAgreement);
    bson::BSONObjBuilder b;
    b.append("repurchaseDays", "seven"); // wrong type: ignored
    b.append("trader", "T99");
    p.bsonValueFromObj(b.obj());
    EXPECT_EQ(7, p.repurchaseDays);
    EXPECT_EQ("T99", p.trader);
    EXPECT_EQ("C0001", p.contractNo);
}

// Integer fields as the counter may send them: as integers, or as doubles,
// which are taken only when they fit (no undefined conversion).
TEST(IntegerFields, doublesAreCutToWholeNumbersOnlyWhenTheyFit)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double largest = std::numeric_limits<double>::max(); // the unset double marker
    struct Case
    {
        bson::BSONObj sent;
        int asInt; // 7 when the field is left as it was
        long long asLong; // 7 when left
    };
    const Case cases[] = {
        { BSON("f" << 42), 42, 42 },
        { BSON("f" << 5000000000LL), int(5000000000LL), 5000000000LL },
        { BSON("f" << 12.9), 12, 12 },
        { BSON("f" << -12.9), -12, -12 },
        { BSON("f" << 2147483647.0), INT_MAX, 2147483647LL },
        { BSON("f" << -2147483648.0), INT_MIN, -2147483648LL },
        { BSON("f" << 2147483648.0), 7, 2147483648LL },
        { BSON("f" << 1e18), 7, 1000000000000000000LL },
        { BSON("f" << 1e19), 7, 7 },
        { BSON("f" << largest), 7, 7 },
        { BSON("f" << -largest), 7, 7 },
        { BSON("f" << inf), 7, 7 },
        { BSON("f" << std::nan("")), 7, 7 },
        { BSON("f" << std::string("12")), 7, 7 },
        { BSON("g" << 12), 7, 7 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sent.toString());
        int i = 7;
        long long l = 7;
        readField(c.sent, "f", i);
        readField(c.sent, "f", l);
        EXPECT_EQ(i, c.asInt);
        EXPECT_EQ(l, c.asLong);
    }
}

// Orders read from the counter keep the operation code they carry, known to
// the terminal or not (the UBSan build checks that no code is an invalid
// value of the order's operation type).
TEST(OrderOperationCodes, everyCodeTheCounterSendsIsKeptThroughBson)
{
    for (const int code : { 0, 1052, 1053, 1045, 1094, 132096, -1, INT_MAX, INT_MIN }) {
        SCOPED_TRACE(code);
        CCodeOrderParam order;
        order.bsonValueFromObj(BSON("orderKind" << 49 << "operationType" << code));
        EXPECT_EQ(static_cast<int>(order.operationType), code);
        EXPECT_EQ(order.toBson().getIntField("operationType"), code);
        const std::string key = order.getKey();
        EXPECT_EQ(key.substr(key.rfind(KEY_SPLITTER) + 1), std::to_string(code));
        EXPECT_EQ(static_cast<int>(roundTrip(order).operationType), code);
    }
}
