#include "ttservice/IData.h"

namespace ttservice {

const char *const KEY_SPLITTER = "|";

namespace {

// A counter may send a double where an integer is expected (the unset double
// marker among them): it is taken, cut to a whole number, only when that fits
// the integer; NaN, infinities and doubles out of range count as mistyped.
template<class Int> bool doubleFits(double d)
{
    // Written so that NaN fails it.
    return d > static_cast<double>(std::numeric_limits<Int>::min()) - 1.0
        && d < static_cast<double>(std::numeric_limits<Int>::max()) + 1.0;
}

} // namespace

void readField(const bson::BSONObj &obj, const char *name, int &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() == bson::NumberDouble) {
        if (doubleFits<int>(e.numberDouble()))
            out = static_cast<int>(e.numberDouble());
    } else if (e.isNumber()) {
        out = e.numberInt();
    }
}

void readField(const bson::BSONObj &obj, const char *name, long long &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() == bson::NumberDouble) {
        if (doubleFits<long long>(e.numberDouble()))
            out = static_cast<long long>(e.numberDouble());
    } else if (e.isNumber()) {
        out = e.numberLong();
    }
}

void readField(const bson::BSONObj &obj, const char *name, double &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.isNumber())
        out = e.numberDouble();
}

void readField(const bson::BSONObj &obj, const char *name, bool &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() == bson::Bool)
        out = e.boolean();
}

void readField(const bson::BSONObj &obj, const char *name, std::string &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() == bson::String)
        out = e.String();
}

void readField(const bson::BSONObj &obj, const char *name, bson::BSONObj &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() == bson::Object)
        out = e.Obj().getOwned();
}

void readField(const bson::BSONObj &obj, const char *name, std::vector<bson::BSONObj> &out)
{
    const bson::BSONElement e = obj.getField(name);
    if (e.type() != bson::Array)
        return;
    out.clear();
    bson::BSONObjIterator it(e.Obj());
    while (it.more()) {
        const bson::BSONElement item = it.next();
        if (item.type() == bson::Object)
            out.push_back(item.Obj().getOwned());
    }
}

} // namespace ttservice
