// libFuzzer target: arbitrary bytes as a dealer file.
//
//   fuzz_dealer_directory -max_total_time=60 -max_len=4096 corpus/
#include "common/CDealerDirectory.h"

#include "utils/StringHelper.h"
#include "xp/CPortfolioSearchModel.h"

#include <QByteArray>
#include <QSet>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (0)

// The directory decodes a file in one call. That must give the same lines as
// decoding line by line: a lead byte cut off by a line end or by the end of
// the input becomes U+FFFD either way.
void checkWholeFileDecoding(const QByteArray &bytes)
{
    const QStringList whole = utils::safeGbk2Utf8(bytes).split(QLatin1Char('\n'));
    const QList<QByteArray> raw = bytes.split('\n');
    FUZZ_CHECK(whole.size() == raw.size());
    for (int i = 0; i < raw.size(); ++i)
        FUZZ_CHECK(whole.at(i) == utils::safeGbk2Utf8(raw.at(i)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    checkWholeFileDecoding(bytes);

    TC::CDealerDirectory *directory = TC::CDealerDirectory::instance();
    const QStringList before = directory->dealerList();
    QString error;
    if (!directory->loadData(bytes, error)) {
        FUZZ_CHECK(directory->dealerList() == before);
        return 0;
    }

    const QStringList dealers = directory->dealerList();
    FUZZ_CHECK(directory->model(0)->getDataList() == dealers);
    FUZZ_CHECK(QSet<QString>(dealers.cbegin(), dealers.cend()).size() == dealers.size());
    XP::CPortfolioSearchModel model;
    for (const QString &code : directory->dealerCodes()) {
        FUZZ_CHECK(!directory->dealer(code).subjects.isEmpty());
        for (int kind = 0; kind <= TC::CDealerDirectory::kKindCount; ++kind)
            directory->fillModel(code, &model, kind);
    }

    // What save() writes loads back to the same dealers under the same names, in
    // the same order, and saves again to the same bytes, as long as every text
    // survives GBK (the U+FFFD of a bad byte is written as '?') and no field ends
    // a line with a carriage return (the reader takes it for the line end).
    const QByteArray saved = directory->fileContent();
    const QStringList codes = directory->dealerCodes();
    const QString text = utils::safeGbk2Utf8(bytes);
    if (dealers.isEmpty() || saved.contains("\r\n")
        || utils::safeGbk2Utf8(utils::utf8ToGbk(text)) != text)
        return 0;
    FUZZ_CHECK(directory->loadData(saved, error));
    FUZZ_CHECK(directory->dealerList() == dealers);
    FUZZ_CHECK(directory->dealerCodes() == codes);
    FUZZ_CHECK(directory->fileContent() == saved);
    return 0;
}
