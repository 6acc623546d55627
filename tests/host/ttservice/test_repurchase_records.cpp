#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPledgedBondInfo.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

using namespace ttservice;

namespace {

// Writes the record to BSON bytes and reads it back into a fresh record. The
// BSON of the copy must match byte for byte, so a field that operator== forgets
// still has to survive the trip.
template<class T> T roundTrip(const T &record)
{
    const bson::BSONObj wire = record.toBson();
    const bson::BSONObj copy(wire.objdata());
    T back;
    back.bsonValueFromObj(copy.getOwned());
    EXPECT_TRUE(back.toBson().binaryEqual(wire));
    return back;
}

// The record's field names in the order it writes them, comma separated.
std::string fieldNames(const bson::BSONObj &obj)
{
    std::string names;
    bson::BSONObjIterator it(obj);
    while (it.more())
        names += std::string(names.empty() ? "" : ",") + it.next().fieldName();
    return names;
}

std::string key(const std::string &a, const std::string &b)
{
    return a + KEY_SPLITTER + b;
}

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

CAccountInfoPtr account()
{
    auto info = boost::make_shared<CAccountInfo>();
    info->accountId = "10001";
    info->accountName = "质押自营";
    info->displayId = "D-10001";
    return info;
}

CRepurchaseAgreementContractInfo filledContract(std::size_t bondCount)
{
    CRepurchaseAgreementContractInfo c;
    c.accountInfo = account();
    c.market = "SZ";
    c.repurchaseAmount = 1000000.5;
    c.conversionRatio = 0.85;
    c.repurchaseDays = 7;
    c.direction = '1';
    c.repurchaseRate = 0.0235;
    c.maturitySettleDate = 20240115;
    c.contractNo = "HT0001";
    c.maturitySettleAmount = 1000456.78;
    c.contractStatus = '8';
    c.firstSettleDate = 20240108;
    c.trader = "T01";
    c.counterpartyTrader = "T02";
    c.counterpartyDealer = "D02";
    c.counterpartyDealerName = "对手交易商";
    c.referenceNo = "R9";
    c.supplementaryTerms = "无";
    c.dealer = "D01";
    c.tradingEntity = "E01";
    c.counterpartyEntity = "E02";
    c.pledgedBonds = bonds(bondCount);
    return c;
}

CRepurchasePendingOrder filledPending(std::size_t bondCount)
{
    CRepurchasePendingOrder d;
    d.accountInfo = account();
    d.market = "SH";
    d.contractCode = "206007";
    d.direction = '0';
    d.trader = "T01";
    d.dealer = "D01";
    d.dealerName = "本方交易商";
    d.counterpartyTrader = "T02";
    d.counterpartyDealer = "D02";
    d.counterpartyDealerName = "对手交易商";
    d.repurchaseAmount = 2000000.0;
    d.conversionRatio = 0.7;
    d.repurchaseDays = 14;
    d.declareType = '4';
    d.repurchaseRate = 0.031;
    d.maturitySettleDate = 20240201;
    d.maturitySettleAmount = 2002378.08;
    d.renewType = '1';
    d.priorApplyDate = 20240118;
    d.actualRepurchaseDate = 20240125;
    d.pledgee = "质权人甲";
    d.supplementaryTerms = "补充";
    d.pendingOrderRef = "P77";
    d.tradingEntity = "E01";
    d.counterpartyEntity = "E02";
    d.releaseSettleAmount = 1500000.25;
    d.counterpartyClientName = "客户乙";
    d.ownerType = 3;
    d.pledgedBonds = bonds(bondCount);
    return d;
}

CRepurchaseIntentionOrder filledIntention()
{
    CRepurchaseIntentionOrder o;
    o.orderNo = "YX0042";
    o.market = "SH";
    o.direction = '1';
    o.pledgedBond = "019547 国债1901";
    o.trader = "T03";
    o.dealer = "D03";
    o.dealerName = "意向交易商";
    o.repurchaseAmount = 500000.0;
    o.conversionRatio = 0.9;
    o.pledgedBondVolume = 5000;
    o.repurchaseDays = 3;
    o.repurchaseRate = 0.035;
    o.maturitySettleDate = 20240111;
    o.maturitySettleAmount = 500143.84;
    return o;
}

} // namespace

TEST(RepurchaseRecordBson, pledgedBondKeySeparatesExistingAndExchangedBond)
{
    const CRepurchasePledgedBondPtr existing = bond("019547", 300, '0');
    const CRepurchasePledgedBondPtr exchanged = bond("019547", 500, '1');
    EXPECT_EQ(key(key("SH", "019547"), "0"), existing->getKey());
    EXPECT_EQ(key(key("SH", "019547"), "1"), exchanged->getKey());
    EXPECT_TRUE(roundTrip(*exchanged) == *exchanged);
    // A flag that is no character still gives a key of its own.
    exchanged->swapFlag = kUnsetInt;
    EXPECT_EQ(key(key("SH", "019547"), "2147483647"), exchanged->getKey());
}

TEST(RepurchaseRecordBson, contractRoundTripsEveryFieldWithZeroOneOrThreeBonds)
{
    for (std::size_t count : { 0u, 1u, 3u }) {
        SCOPED_TRACE(count);
        const CRepurchaseAgreementContractInfo c = filledContract(count);
        const CRepurchaseAgreementContractInfo back = roundTrip(c);
        EXPECT_TRUE(back == c);
        ASSERT_EQ(count, back.pledgedBonds.size());
        if (count == 3) {
            EXPECT_EQ("019542", back.pledgedBonds[2]->bondCode);
            EXPECT_EQ('1', back.pledgedBonds[1]->swapFlag);
            EXPECT_NE(c.pledgedBonds[0].get(), back.pledgedBonds[0].get());
        }
    }
}

TEST(RepurchaseRecordBson, contractDefaultsKeepUnsetMarkers)
{
    const CRepurchaseAgreementContractInfo c;
    const CRepurchaseAgreementContractInfo back = roundTrip(c);
    EXPECT_TRUE(back == c);
    EXPECT_FALSE(back.accountInfo);
    EXPECT_EQ(kUnsetInt, back.maturitySettleDate);
    EXPECT_EQ(kUnsetInt, back.direction);
    EXPECT_EQ(kUnsetDouble, back.repurchaseAmount);
    EXPECT_EQ(kUnsetDouble, back.repurchaseRate);
    // Not positive, so the contract table works the amount out itself.
    EXPECT_EQ(0.0, back.maturitySettleAmount);
    EXPECT_EQ(bson::Array, c.toBson().getField("pledgedBonds").type());
}

TEST(RepurchaseRecordBson, contractWritesFieldsInDeclaredOrderAndKeysByContractNo)
{
    const std::string expected
        = "accountInfo,market,repurchaseAmount,conversionRatio,repurchaseDays,direction,"
          "repurchaseRate,maturitySettleDate,contractNo,maturitySettleAmount,contractStatus,"
          "firstSettleDate,trader,counterpartyTrader,counterpartyDealer,counterpartyDealerName,"
          "referenceNo,supplementaryTerms,dealer,tradingEntity,counterpartyEntity,pledgedBonds";
    const CRepurchaseAgreementContractInfo c = filledContract(1);
    EXPECT_EQ(expected, fieldNames(c.toBson()));
    EXPECT_EQ("HT0001", c.getKey());
    EXPECT_EQ(788, c.dataType());
}

TEST(RepurchaseRecordBson, equalityLooksIntoPledgedBonds)
{
    const CRepurchaseAgreementContractInfo c = filledContract(3);
    CRepurchaseAgreementContractInfo other = filledContract(3);
    other.pledgedBonds[2]->pledgeVolume += 1;
    EXPECT_FALSE(other == c);
    other.pledgedBonds = bonds(2);
    EXPECT_FALSE(other == c);
    other.pledgedBonds = bonds(3);
    other.pledgedBonds[1].reset();
    EXPECT_FALSE(other == c);
}

TEST(RepurchaseRecordBson, nullBondsAreLeftOutOfTheArray)
{
    CRepurchasePendingOrder d = filledPending(3);
    d.pledgedBonds[1].reset();
    const CRepurchasePendingOrder back = roundTrip(d);
    ASSERT_EQ(2u, back.pledgedBonds.size());
    EXPECT_EQ("019540", back.pledgedBonds[0]->bondCode);
    EXPECT_EQ("019542", back.pledgedBonds[1]->bondCode);
}

TEST(RepurchaseRecordBson, pendingOrderRoundTripsAndKeysByItsReference)
{
    for (std::size_t count : { 0u, 1u, 3u }) {
        const CRepurchasePendingOrder d = filledPending(count);
        EXPECT_TRUE(roundTrip(d) == d) << count << " bonds";
    }
    const CRepurchasePendingOrder d = filledPending(1);
    EXPECT_EQ("P77", d.getKey());
    EXPECT_EQ(795, d.dataType());
    EXPECT_EQ("accountInfo,market,contractCode,direction,trader,dealer,dealerName,"
              "counterpartyTrader,counterpartyDealer,counterpartyDealerName,repurchaseAmount,"
              "conversionRatio,repurchaseDays,declareType,repurchaseRate,maturitySettleDate,"
              "maturitySettleAmount,renewType,priorApplyDate,actualRepurchaseDate,pledgee,"
              "supplementaryTerms,pendingOrderRef,tradingEntity,counterpartyEntity,"
              "releaseSettleAmount,counterpartyClientName,ownerType,pledgedBonds",
              fieldNames(d.toBson()));

    const CRepurchasePendingOrder empty;
    const CRepurchasePendingOrder back = roundTrip(empty);
    EXPECT_TRUE(back == empty);
    EXPECT_EQ(kUnsetDouble, back.releaseSettleAmount);
    EXPECT_EQ(kUnsetInt, back.ownerType);
    EXPECT_EQ(kUnsetInt, back.priorApplyDate);
}

TEST(RepurchaseRecordBson, intentionOrderRoundTripsAndKeysByOrderNo)
{
    const CRepurchaseIntentionOrder o = filledIntention();
    EXPECT_TRUE(roundTrip(o) == o);
    EXPECT_EQ("YX0042", o.getKey());
    EXPECT_EQ(793, o.dataType());

    const CRepurchaseIntentionOrder empty;
    const CRepurchaseIntentionOrder back = roundTrip(empty);
    EXPECT_TRUE(back == empty);
    EXPECT_EQ(kUnsetDouble, back.maturitySettleAmount);
    EXPECT_EQ(kUnsetInt, back.repurchaseDays);
}

TEST(RepurchaseRecordBson, volumeRecordsRoundTripWithMarketCodeKeys)
{
    CNonTradeStockVolumeInfo v;
    v.market = "SZ";
    v.instrumentCode = "112233";
    v.instrumentName = "限售债";
    v.volume = 7000;
    EXPECT_TRUE(roundTrip(v) == v);
    EXPECT_EQ(key("SZ", "112233"), v.getKey());
    EXPECT_EQ(794, v.dataType());

    CPledgedBondInfo p;
    p.market = "SH";
    p.bondCode = "019547";
    p.pledgeAmount = 123456.78;
    p.pledgeVolume = 1200;
    p.stockProperty = '1';
    EXPECT_TRUE(roundTrip(p) == p);
    EXPECT_EQ(CPledgedBondInfo::genKey("SH", "019547"), p.getKey());
    EXPECT_EQ(key("SH", "019547"), p.getKey());
    EXPECT_EQ('0', CPledgedBondInfo().stockProperty);
}

TEST(RepurchaseRecordBson, readingKeepsDefaultsForMissingAndMistypedFields)
{
    bson::BSONObjBuilder b;
    b.append("contractNo", "HT0009");
    b.append("repurchaseDays", "seven"); // wrong type: ignored
    b.append("direction", 49.0); // any number is accepted
    b.append("accountInfo", "10001"); // not a sub-object: ignored
    b.append("pledgedBonds", "none"); // not an array: ignored
    CRepurchaseAgreementContractInfo c;
    c.bsonValueFromObj(b.obj());
    EXPECT_EQ("HT0009", c.contractNo);
    EXPECT_EQ(kUnsetInt, c.repurchaseDays);
    EXPECT_EQ('1', c.direction);
    EXPECT_FALSE(c.accountInfo);
    EXPECT_TRUE(c.pledgedBonds.empty());
    EXPECT_EQ(kUnsetDouble, c.repurchaseAmount);

    // A partial update keeps what the record already holds.
    CRepurchasePendingOrder d = filledPending(3);
    bson::BSONObjBuilder partial;
    partial.append("pledgee", "质权人乙");
    partial.append("ownerType", "机构");
    d.bsonValueFromObj(partial.obj());
    EXPECT_EQ("质权人乙", d.pledgee);
    EXPECT_EQ(3, d.ownerType);
    EXPECT_EQ(3u, d.pledgedBonds.size());
}

TEST(RepurchaseRecordBson, bondArrayEntriesThatAreNoObjectsAreSkipped)
{
    bson::BSONObjBuilder b;
    bson::BSONArrayBuilder array(b.subarrayStart("pledgedBonds"));
    array.append(bond("019547", 300, '0')->toBson());
    array.append(42);
    bson::BSONObjBuilder partialBond;
    partialBond.append("bondCode", "122000");
    partialBond.append("pledgeVolume", "many");
    array.append(partialBond.obj());
    array.done();
    CRepurchaseAgreementContractInfo c = filledContract(3);
    c.bsonValueFromObj(b.obj());
    ASSERT_EQ(2u, c.pledgedBonds.size());
    EXPECT_EQ(300, c.pledgedBonds[0]->pledgeVolume);
    EXPECT_EQ("122000", c.pledgedBonds[1]->bondCode);
    EXPECT_EQ(0, c.pledgedBonds[1]->pledgeVolume);
    EXPECT_EQ('0', c.pledgedBonds[1]->swapFlag);
}
