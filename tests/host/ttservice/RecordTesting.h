#pragma once

#include "ttservice/IData.h"

#include <gtest/gtest.h>
#include <mongo/db/json.h>

#include <string>

// An account as the records carry it, with no field at its default.
inline std::string accountJson(const std::string &id)
{
    return "{ brokerType: 1048577, counterType: 2, accountId: '" + id
        + "', accountName: '国债自营', displayId: 'D-" + id + "' }";
}

// Reads a record from its BSON, written as JSON with every field in the declared order.
// The record must write the very same bytes back: every field is read, written, and kept
// in its place and type.
template<class T> T fromJson(const std::string &json)
{
    const bson::BSONObj wire = bson::fromjson(json);
    T record;
    record.bsonValueFromObj(wire);
    EXPECT_TRUE(record.toBson().binaryEqual(wire)) << record.toBson().toString();
    return record;
}

// Writes the record to BSON bytes and reads it back into a fresh record. The copy must
// write the same bytes again, so a field that operator== forgets still has to survive.
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
