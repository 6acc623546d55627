#include "RecordTesting.h"

#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/CPledgedBondInfo.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/CRepurchasePendingOrder.h"

#include <boost/make_shared.hpp>

using namespace ttservice;

namespace {

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

TEST(RepurchaseRecordBson, pledgedBondKeySeparatesExistingAndExchangedBond)
{
    const CRepurchasePledgedBondPtr existing = bond("019547", 300, '0');
    const CRepurchasePledgedBondPtr exchanged = bond("019547", 500, '1');
    EXPECT_EQ(key(key("SH", "019547"), "0"), existing->getKey());
    EXPECT_EQ(key(key("SH", "019547"), "1"), exchanged->getKey());
    expectRoundTrips(*exchanged);
    // A flag that is no character still gives a key of its own.
    exchanged->swapFlag = kUnsetInt;
    EXPECT_EQ(key(key("SH", "019547"), "2147483647"), exchanged->getKey());
}

TEST(RepurchaseRecordBson, contractAndPendingOrderRoundTripWithZeroOneOrThreeBonds)
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
        expectRoundTrips(filledPending(count));
    }
    expectRoundTrips(CRepurchaseAgreementContractInfo());
    // Not positive, so the contract table works the amount out itself.
    EXPECT_EQ(0.0, CRepurchaseAgreementContractInfo().maturitySettleAmount);
}

TEST(RepurchaseRecordBson, recordsKeyByTheirNumbersAndCarryTheirTypes)
{
    EXPECT_EQ("HT0001", filledContract(1).getKey());
    EXPECT_EQ(788, filledContract(1).dataType());
    EXPECT_EQ("P77", filledPending(1).getKey());
    EXPECT_EQ(795, filledPending(1).dataType());

    const auto intention = fromJson<CRepurchaseIntentionOrder>(
        "{ orderNo: 'YX0042', market: 'SH', direction: 49, pledgedBond: '019547 国债1901', "
        "trader: 'T03', dealer: 'D03', dealerName: '意向交易商', repurchaseAmount: 500000.0, "
        "conversionRatio: 0.9, pledgedBondVolume: 5000, repurchaseDays: 3, repurchaseRate: 0.035, "
        "maturitySettleDate: 20240111, maturitySettleAmount: 500143.84 }");
    expectRoundTrips(intention);
    EXPECT_EQ("YX0042", intention.getKey());
    EXPECT_EQ(793, intention.dataType());

    const auto volume = fromJson<CNonTradeStockVolumeInfo>(
        "{ market: 'SZ', instrumentCode: '112233', instrumentName: '限售债', volume: 7000 }");
    expectRoundTrips(volume);
    EXPECT_EQ(key("SZ", "112233"), volume.getKey());
    EXPECT_EQ(794, volume.dataType());

    const auto pledged = fromJson<CPledgedBondInfo>("{ market: 'SH', bondCode: '019547', "
                                                    "pledgeAmount: 123456.78, pledgeVolume: 1200, "
                                                    "stockProperty: 49 }");
    expectRoundTrips(pledged);
    EXPECT_EQ(key("SH", "019547"), pledged.getKey());
    EXPECT_EQ(CPledgedBondInfo::genKey("SH", "019547"), pledged.getKey());
}

TEST(RepurchaseRecordBson, equalityLooksIntoPledgedBondsAndNullOnesAreNotWritten)
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

    // A bond that is gone is left out of the array.
    CRepurchasePendingOrder d = filledPending(3);
    d.pledgedBonds[1].reset();
    const CRepurchasePendingOrder back = roundTrip(d);
    ASSERT_EQ(2u, back.pledgedBonds.size());
    EXPECT_EQ("019540", back.pledgedBonds[0]->bondCode);
    EXPECT_EQ("019542", back.pledgedBonds[1]->bondCode);
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
    ASSERT_EQ(2u, c.pledgedBonds.size());
    EXPECT_EQ(300, c.pledgedBonds[0]->pledgeVolume);
    EXPECT_EQ("122000", c.pledgedBonds[1]->bondCode);
    EXPECT_EQ(0, c.pledgedBonds[1]->pledgeVolume);
    EXPECT_EQ('0', c.pledgedBonds[1]->swapFlag);
}
