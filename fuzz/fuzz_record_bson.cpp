// libFuzzer target: the host records read from the counter's BSON.
// The first byte picks the record type, the rest is the BSON document.
//
//   fuzz_record_bson -max_total_time=60 corpus/record_bson/
//
// A document the counter could send (one that passes BSON validation) must
// decode without harm, and what a record writes must read back to the same
// record: decode(encode(r)) writes the same bytes as r.
#include "ttservice/CAccountDetail.h"
#include "ttservice/CAccountInfo.h"
#include "ttservice/CBondDetail.h"
#include "ttservice/CBondInfoDetail.h"
#include "ttservice/CCodeOrderParam.h"
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
#include "ttservice/CRepurchasePledgedBond.h"
#include "ttservice/CStockInfo.h"

#include <boost/make_shared.hpp>
#include <mongo/bson/bson_validate.h>

#include <cstddef>
#include <cstdint>
#include <iterator>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)

namespace {

using ttservice::IDataPtr;

template<class T> IDataPtr make()
{
    return boost::make_shared<T>();
}

IDataPtr (*const kRecords[])() = {
    make<ttservice::CAccountDetail>,
    make<ttservice::CAccountInfo>,
    make<ttservice::CBondDetail>,
    make<ttservice::CBondInfoDetail>,
    make<ttservice::CCodeOrderParam>,
    make<ttservice::CInstrumentDetail>,
    make<ttservice::CNonTradeStockVolumeInfo>,
    make<ttservice::COrderComandParam>,
    make<ttservice::COrderCommand>,
    make<ttservice::CPledgedBondInfo>,
    make<ttservice::CPositionStatics>,
    make<ttservice::CQueryDataReq>,
    make<ttservice::CRepurchaseAgreementContractInfo>,
    make<ttservice::CRepurchaseAgreementParam>,
    make<ttservice::CRepurchaseIntentionOrder>,
    make<ttservice::CRepurchasePendingOrder>,
    make<ttservice::CRepurchasePledgedBond>,
    make<ttservice::CStockInfo>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 + 5)
        return 0;
    const auto makeRecord = kRecords[data[0] % std::size(kRecords)];
    const char *document = reinterpret_cast<const char *>(data + 1);
    if (!mongo::validateBSON(document, size - 1).isOK())
        return 0;
    const bson::BSONObj obj(document);

    const IDataPtr record = makeRecord();
    record->bsonValueFromObj(obj);
    const bson::BSONObj written = record->toBson();
    FUZZ_CHECK(mongo::validateBSON(written.objdata(), written.objsize()).isOK());

    const IDataPtr again = makeRecord();
    again->bsonValueFromObj(written);
    FUZZ_CHECK(again->toBson().binaryEqual(written));
    FUZZ_CHECK(again->getKey() == record->getKey());
    return 0;
}
