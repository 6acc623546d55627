#include "ttservice/CAccountDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CInstrumentDetail.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/CPledgedBondInfo.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CQueryDataReq.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <mongo/db/json.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

using namespace ttservice;

namespace {

// An account as the records carry it, with no field at its default.
std::string accountJson(const std::string &id)
{
    return "{ brokerType: 1048577, counterType: 2, accountId: '" + id
        + "', accountName: '国债自营', displayId: 'D-" + id + "' }";
}

// Writes the record and reads it into a fresh one, which must write the same bytes again.
template<class T> T roundTrip(const T &record)
{
    const bson::BSONObj wire = record.toBson();
    T back;
    back.bsonValueFromObj(bson::BSONObj(wire.objdata()).getOwned()); // reads only the bytes
    EXPECT_TRUE(back.toBson().binaryEqual(wire));
    return back;
}

// The record and a default one (unset markers, no sub-records) survive the trip.
template<class T> void expectRoundTrips(const T &record)
{
    EXPECT_TRUE(roundTrip(record) == record);
    EXPECT_TRUE(roundTrip(T()) == T());
}

// Reads a record from JSON of every field in declared order; it must write the same bytes back
// and survive the trip (as must a default one).
template<class T> T fromJson(const std::string &json)
{
    const bson::BSONObj wire = bson::fromjson(json);
    T record;
    record.bsonValueFromObj(wire);
    EXPECT_TRUE(record.toBson().binaryEqual(wire)) << record.toBson().toString();
    expectRoundTrips(record);
    return record;
}

std::string key(const std::string &a, const std::string &b)
{
    return a + KEY_SPLITTER + b;
}

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

CRepurchasePledgedBondPtr bond(const std::string &code, int volume, int swapFlag)
{
    auto b = boost::make_shared<CRepurchasePledgedBond>();
    b->market = "SH";
    b->bondCode = code;
    b->bondName = "国债" + code;
    b->stockProperty = '1';
    b->pledgeVolume = volume;
    b->swapFlag = swapFlag;
    return b;
}

CRepurchasePledgedBondList bonds(std::size_t count)
{
    CRepurchasePledgedBondList list;
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(bond("01954" + std::to_string(i), 100 * int(i + 1), i % 2 ? '1' : '0'));
    return list;
}

// The bonds as "code volume flag", in order.
std::string bondsOf(const CRepurchasePledgedBondList &list)
{
    std::string out;
    for (const CRepurchasePledgedBondPtr &b : list)
        out += b->bondCode + " " + std::to_string(b->pledgeVolume) + " " + char(b->swapFlag) + "; ";
    return out;
}

// The records with every field set, bonds added by the tests.
CRepurchaseAgreementContractInfo filledContract(std::size_t bondCount)
{
    auto c = fromJson<CRepurchaseAgreementContractInfo>(
        "{ accountInfo: " + accountJson("10001")
        + ", market: 'SZ', repurchaseAmount: 1000000.5, conversionRatio: 0.85, repurchaseDays: 7, "
          "direction: 49, repurchaseRate: 0.0235, maturitySettleDate: 20240115, contractNo: "
          "'HT0001', maturitySettleAmount: 1000456.78, contractStatus: 56, firstSettleDate: "
          "20240108, trader: 'T01', counterpartyTrader: 'T02', counterpartyDealer: 'D02', "
          "counterpartyDealerName: '对手交易商', referenceNo: 'R9', supplementaryTerms: '无', "
          "dealer: 'D01', tradingEntity: 'E01', counterpartyEntity: 'E02', pledgedBonds: [] }");
    c.pledgedBonds = bonds(bondCount);
    return c;
}

CRepurchasePendingOrder filledPending(std::size_t bondCount)
{
    auto d = fromJson<CRepurchasePendingOrder>(
        "{ accountInfo: " + accountJson("10001")
        + ", market: 'SH', contractCode: '206007', direction: 48, trader: 'T01', dealer: 'D01', "
          "dealerName: '本方交易商', counterpartyTrader: 'T02', counterpartyDealer: 'D02', "
          "counterpartyDealerName: '对手交易商', repurchaseAmount: 2000000.0, conversionRatio: "
          "0.7, repurchaseDays: 14, declareType: 52, repurchaseRate: 0.031, maturitySettleDate: "
          "20240201, maturitySettleAmount: 2002378.08, renewType: 49, priorApplyDate: 20240118, "
          "actualRepurchaseDate: 20240125, pledgee: '质权人甲', supplementaryTerms: '补充', "
          "pendingOrderRef: 'P77', tradingEntity: 'E01', counterpartyEntity: 'E02', "
          "releaseSettleAmount: 1500000.25, counterpartyClientName: '客户乙', ownerType: 3, "
          "pledgedBonds: [] }");
    d.pledgedBonds = bonds(bondCount);
    return d;
}

} // namespace

TEST(RecordBson, orderCarriesAccountStockAndAgreementAsSubObjects)
{
    const auto order = fromJson<CCodeOrderParam>(kOrder);
    ASSERT_TRUE(order.accountInfo);
    EXPECT_EQ("D-10001", order.accountInfo->displayId);
    EXPECT_EQ(OPERATION_TYPE_SELL, order.operationType);
    EXPECT_EQ(5000000000LL, order.volume);

    const CCodeOrderParam back = roundTrip(order);
    CRepurchaseAgreementParam agreement;
    agreement.bsonValueFromObj(back.agreementParam);
    const auto sent = fromJson<CRepurchaseAgreementParam>(kAgreement);
    EXPECT_TRUE(agreement == sent);
    // The comparisons the order tests rely on see the agreement number and the swapped volume.
    agreement.swapPledgeVolume = 301;
    EXPECT_FALSE(agreement == sent);
    CCodeOrderParam renumbered = order;
    renumbered.agreementNo += 1;
    EXPECT_FALSE(renumbered == order);
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
    expectRoundTrips(command);
    EXPECT_EQ("122000", roundTrip(command).orders.at(1).stock.stockCode);

    auto instruction = fromJson<COrderCommand>("{ commandNo: 42, orders: [] }");
    instruction.orders = command.orders;
    expectRoundTrips(instruction);
    EXPECT_EQ("42", instruction.getKey());
}

TEST(RecordBson, recordsRoundTripAndAnswerTheirKeys)
{
    const auto inst = fromJson<CInstrumentDetail>(
        "{ market: 'SZ', instrumentCode: '131990', instrumentName: '协议回购7天', "
        "instrumentTag: 'R7', accruedInterest: 0.123456789, bondDetail: { market: 'SZ', "
        "instrumentCode: '131990', faceValue: 100.0, couponRate: 0.0325, maturityDate: 20300101 }, "
        "extraDetail: { market: 'SZ', instrumentCode: '131990', instrumentName: '7天', minDays: 1, "
        "maxDays: 7 } }");
    EXPECT_EQ(key("SZ", "131990"), inst.getKey());
    EXPECT_FALSE(roundTrip(CInstrumentDetail()).bondDetail);

    fromJson<CAccountDetail>(
        "{ accountId: '10001', availableFunds: 12345.67, totalAssets: 99999.5 }");
    const auto pos = fromJson<CPositionStatics>(
        "{ market: 'SH', instrumentCode: '019547', instrumentName: '国债1901', "
        "totalVolume: 9000000000, usableVolume: 8000000000 }");
    EXPECT_EQ(key("SH", "019547"), pos.getKey());
    fromJson<CBondInfoDetail>("{ market: 'SH', instrumentCode: '206007', instrumentName: '7天', "
                              "minDays: 5, maxDays: 7 }");
    fromJson<CQueryDataReq>(
        "{ dataType: 795, queryText: 'T01', accountInfo: " + accountJson("10002") + " }");

    EXPECT_EQ("HT0001", filledContract(1).getKey());
    EXPECT_EQ("P77", filledPending(1).getKey());
    const auto intention = fromJson<CRepurchaseIntentionOrder>(
        "{ orderNo: 'YX0042', market: 'SH', direction: 49, pledgedBond: '019547 国债1901', "
        "trader: 'T03', dealer: 'D03', dealerName: '意向交易商', repurchaseAmount: 500000.0, "
        "conversionRatio: 0.9, pledgedBondVolume: 5000, repurchaseDays: 3, repurchaseRate: 0.035, "
        "maturitySettleDate: 20240111, maturitySettleAmount: 500143.84 }");
    EXPECT_EQ("YX0042", intention.getKey());
    const auto volume = fromJson<CNonTradeStockVolumeInfo>(
        "{ market: 'SZ', instrumentCode: '112233', instrumentName: '限售债', volume: 7000 }");
    EXPECT_EQ(key("SZ", "112233"), volume.getKey());
    const auto pledged = fromJson<CPledgedBondInfo>("{ market: 'SH', bondCode: '019547', "
                                                    "pledgeAmount: 123456.78, pledgeVolume: 1200, "
                                                    "stockProperty: 49 }");
    EXPECT_EQ(key("SH", "019547"), pledged.getKey());
}

TEST(RepurchaseRecordBson, pledgedBondKeySeparatesExistingAndExchangedBond)
{
    const CRepurchasePledgedBondPtr exchanged = bond("019547", 500, '1');
    EXPECT_EQ(key(key("SH", "019547"), "0"), bond("019547", 300, '0')->getKey());
    EXPECT_EQ(key(key("SH", "019547"), "1"), exchanged->getKey());
    expectRoundTrips(*exchanged);
    // A flag that is no character still gives a key of its own.
    exchanged->swapFlag = kUnsetInt;
    EXPECT_EQ(key(key("SH", "019547"), "2147483647"), exchanged->getKey());
}

TEST(RepurchaseRecordBson, contractAndPendingOrderRoundTripWithTheirBondsInOrder)
{
    for (std::size_t count : { 0u, 1u, 3u }) {
        SCOPED_TRACE(count);
        const CRepurchaseAgreementContractInfo c = filledContract(count);
        const CRepurchaseAgreementContractInfo back = roundTrip(c);
        EXPECT_TRUE(back == c);
        EXPECT_EQ(bondsOf(c.pledgedBonds), bondsOf(back.pledgedBonds));
        expectRoundTrips(filledPending(count));
    }
    // Not positive, so the contract table works the amount out itself.
    EXPECT_EQ(0.0, CRepurchaseAgreementContractInfo().maturitySettleAmount);

    // Equality looks into the bonds.
    const CRepurchaseAgreementContractInfo c = filledContract(3);
    CRepurchaseAgreementContractInfo other = filledContract(3);
    other.pledgedBonds[2]->pledgeVolume += 1;
    EXPECT_FALSE(other == c);
    other.pledgedBonds = bonds(2);
    EXPECT_FALSE(other == c);

    // A bond that is gone is left out of the array.
    CRepurchasePendingOrder d = filledPending(3);
    d.pledgedBonds[1].reset();
    const CRepurchasePendingOrder back = roundTrip(d);
    EXPECT_EQ("019540 100 0; 019542 300 0; ", bondsOf(back.pledgedBonds));
}

TEST(RepurchaseRecordBson, readingKeepsDefaultsForMissingAndMistypedFields)
{
    CRepurchaseAgreementContractInfo c;
    c.bsonValueFromObj(bson::fromjson("{ contractNo: 'HT0009', repurchaseDays: 'seven', "
                                      "direction: 49.0, accountInfo: '10001', "
                                      "pledgedBonds: 'none' }"));
    EXPECT_EQ("HT0009", c.contractNo);
    EXPECT_EQ(kUnsetInt, c.repurchaseDays); // wrong type: ignored
    EXPECT_EQ('1', c.direction); // any number is accepted
    EXPECT_FALSE(c.accountInfo); // not a sub-object: ignored
    EXPECT_TRUE(c.pledgedBonds.empty()); // not an array: ignored
    EXPECT_EQ(kUnsetDouble, c.repurchaseAmount);

    // A partial update keeps what the record already holds.
    CRepurchasePendingOrder d = filledPending(3);
    d.bsonValueFromObj(bson::fromjson("{ pledgee: '质权人乙', ownerType: '机构' }"));
    EXPECT_EQ("质权人乙", d.pledgee);
    EXPECT_EQ(3, d.ownerType);
    EXPECT_EQ(3u, d.pledgedBonds.size());

    // Array entries that are no objects are skipped.
    c = filledContract(3);
    c.bsonValueFromObj(
        bson::fromjson("{ pledgedBonds: [ { bondCode: '019547', pledgeVolume: 300 }, "
                       "42, { bondCode: '122000', pledgeVolume: 'many' } ] }"));
    EXPECT_EQ("019547 300 0; 122000 0 0; ", bondsOf(c.pledgedBonds));
}

TEST(IntegerFields, doublesAreCutToWholeNumbersOnlyWhenTheyFit)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double largest = std::numeric_limits<double>::max(); // the unset double marker
    // What is sent, then what an int and a long long read: 7 when the field is left as it was.
    const std::tuple<bson::BSONObj, int, long long> cases[] = {
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
    for (const auto &[sent, asInt, asLong] : cases) {
        SCOPED_TRACE(sent.toString());
        int i = 7;
        long long l = 7;
        readField(sent, "f", i);
        readField(sent, "f", l);
        EXPECT_EQ(i, asInt);
        EXPECT_EQ(l, asLong);
    }
}

// Orders keep any operation code the counter sends (UBSan checks no value is invalid).
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
