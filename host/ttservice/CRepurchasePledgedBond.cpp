#include "ttservice/CRepurchasePledgedBond.h"

namespace ttservice {

std::string CRepurchasePledgedBond::getKey() const
{
    // Counters send the flag as a digit character; anything else is kept as a number
    // so that two odd flags still give two keys.
    const std::string flag = swapFlag > ' ' && swapFlag < 127
        ? std::string(1, static_cast<char>(swapFlag))
        : std::to_string(swapFlag);
    return market + KEY_SPLITTER + bondCode + KEY_SPLITTER + flag;
}

bson::BSONObj CRepurchasePledgedBond::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("bondCode", bondCode);
    b.append("bondName", bondName);
    b.append("stockProperty", stockProperty);
    b.append("pledgeVolume", pledgeVolume);
    b.append("swapFlag", swapFlag);
    return b.obj();
}

void CRepurchasePledgedBond::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "bondCode", bondCode);
    readField(obj, "bondName", bondName);
    readField(obj, "stockProperty", stockProperty);
    readField(obj, "pledgeVolume", pledgeVolume);
    readField(obj, "swapFlag", swapFlag);
}

void appendPledgedBonds(bson::BSONObjBuilder &b, const char *name,
                        const CRepurchasePledgedBondList &bonds)
{
    bson::BSONArrayBuilder array(b.subarrayStart(name));
    for (const CRepurchasePledgedBondPtr &bond : bonds) {
        if (bond)
            array.append(bond->toBson());
    }
    array.done();
}

void readPledgedBonds(const bson::BSONObj &obj, const char *name, CRepurchasePledgedBondList &bonds)
{
    if (obj.getField(name).type() != bson::Array)
        return;
    std::vector<bson::BSONObj> items;
    readField(obj, name, items);
    bonds.clear();
    bonds.reserve(items.size());
    for (const bson::BSONObj &item : items) {
        CRepurchasePledgedBondPtr bond(new CRepurchasePledgedBond());
        bond->bsonValueFromObj(item);
        bonds.push_back(bond);
    }
}

bool samePledgedBonds(const CRepurchasePledgedBondList &a, const CRepurchasePledgedBondList &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!sameRecord(a[i], b[i]))
            return false;
    }
    return true;
}

} // namespace ttservice
