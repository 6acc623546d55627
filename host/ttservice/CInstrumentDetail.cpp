#include "ttservice/CInstrumentDetail.h"

namespace ttservice {

std::string CInstrumentDetail::getKey() const
{
    return market + KEY_SPLITTER + instrumentCode;
}

bson::BSONObj CInstrumentDetail::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("instrumentCode", instrumentCode);
    b.append("instrumentName", instrumentName);
    b.append("instrumentTag", instrumentTag);
    b.append("accruedInterest", accruedInterest);
    appendRecord(b, "bondDetail", bondDetail);
    appendRecord(b, "extraDetail", extraDetail);
    return b.obj();
}

void CInstrumentDetail::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "instrumentCode", instrumentCode);
    readField(obj, "instrumentName", instrumentName);
    readField(obj, "instrumentTag", instrumentTag);
    readField(obj, "accruedInterest", accruedInterest);
    readRecord(obj, "bondDetail", bondDetail);
    readRecord(obj, "extraDetail", extraDetail);
}

} // namespace ttservice
