#pragma once

#include "ttservice/Bson.h"

#include <boost/shared_ptr.hpp>
#include <climits>
#include <limits>
#include <string>
#include <vector>

namespace ttservice {

// Unset markers of the records: the largest int and the largest double.
constexpr int kUnsetInt = INT_MAX;
constexpr double kUnsetDouble = std::numeric_limits<double>::max();

// Joins the parts of a record key (market and code, account and code, ...).
extern const char *const KEY_SPLITTER;

// A record of the trading services: it has a key, and converts to and from BSON.
class IData
{
public:
    virtual ~IData() = default;

    // Record type id used with the data centre (543, 547, 788, ...); 0 for
    // records that never travel through it.
    virtual int dataType() const { return 0; }
    virtual std::string getKey() const = 0;
    virtual bson::BSONObj toBson() const = 0;
    // Fills the record from `obj`; fields missing from `obj` keep their value.
    virtual void bsonValueFromObj(const bson::BSONObj &obj) = 0;
};

using IDataPtr = boost::shared_ptr<IData>;

// Field readers that tolerate absent or mistyped fields: they leave `out` as it was.
void readField(const bson::BSONObj &obj, const char *name, int &out);
void readField(const bson::BSONObj &obj, const char *name, long long &out);
void readField(const bson::BSONObj &obj, const char *name, double &out);
void readField(const bson::BSONObj &obj, const char *name, bool &out);
void readField(const bson::BSONObj &obj, const char *name, std::string &out);
void readField(const bson::BSONObj &obj, const char *name, bson::BSONObj &out);
// An array of sub-objects; `out` is replaced only when the field is an array.
void readField(const bson::BSONObj &obj, const char *name, std::vector<bson::BSONObj> &out);

// A record held by pointer, written as a sub-object; a null record is left out.
template<class T>
void appendRecord(bson::BSONObjBuilder &b, const char *name, const boost::shared_ptr<T> &record)
{
    if (record)
        b.append(name, record->toBson());
}

// Reads a sub-object into a fresh record; an absent field keeps `out` as it was.
template<class T>
void readRecord(const bson::BSONObj &obj, const char *name, boost::shared_ptr<T> &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() != bson::Object)
        return;
    boost::shared_ptr<T> record(new T());
    record->bsonValueFromObj(e.Obj());
    out = record;
}

// Two record pointers hold equal records (or are both null).
template<class T> bool sameRecord(const boost::shared_ptr<T> &a, const boost::shared_ptr<T> &b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

} // namespace ttservice
