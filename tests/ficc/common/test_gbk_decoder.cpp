#include "common/CDealerDirectory.h"
#include "common/CGbkDecoder.h"

#include "utils/StringHelper.h"

#include <QMap>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using TC::CDealerDirectory;
using TC::CGbkDecoder;

// Bytes as a dealer file may hold them: codes, Chinese in GBK, separators, line ends, and what
// GBK does not expect (0x80, 0xFF, a lead byte before a separator or at the end, a '|' trail byte).
QByteArray randomBytes(std::mt19937 &random, int pieces)
{
    static const QByteArray kPieces[] = {
        "D1",       "D2",       "S",
        "T",        "x",        " ",
        ",",        ",",        ",",
        "|",        "\r",       "\n",
        "\n",       "\xBD\xBB", "\xD2\xD7",
        "\xC9\xCC", "\xBF\x7C", "\x81",
        "\x80",     "\xFF",     "\xFE\x40",
        "\x81\x7F", "\x81,",    "\x81\n",
        "\x81|",    "\xA1\xA1", QByteArray(1, '\0'),
    };
    std::uniform_int_distribution<int> pick(0, int(std::size(kPieces)) - 1);
    QByteArray out;
    for (int i = 0; i < pieces; ++i)
        out += kPieces[pick(random)];
    return out;
}

TEST(GbkDecoder, decodesAsTheCodecDoesOnAnyBytes)
{
    const CGbkDecoder *gbk = CGbkDecoder::instance();
    ASSERT_TRUE(gbk) << "the system's GBK codec reads GBK another way";
    // Random dealer-file bytes, and each pair of bytes before a separator.
    std::vector<QByteArray> samples;
    std::mt19937 random(4242);
    for (int round = 0; round < 3000; ++round)
        samples.push_back(randomBytes(random, round % 40));
    for (int pair = 0; pair < 0x10000; ++pair)
        samples.push_back(QByteArray(1, char(pair >> 8)) + char(pair) + ',');
    for (const QByteArray &bytes : samples) {
        ASSERT_EQ(gbk->decode(bytes.constData(), bytes.constData() + bytes.size()),
                  utils::safeGbk2Utf8(bytes))
            << bytes.toHex().toStdString();
    }
}

// The dealer file read the plain way: the whole file decoded, then cut into lines and fields.
struct PlainDirectory
{
    QStringList dealerList;
    QMap<QString, CDealerDirectory::DealerEntry> dealers;
};

PlainDirectory readPlainly(const QByteArray &bytes)
{
    PlainDirectory out;
    QStringList lines = utils::safeGbk2Utf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (int i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList f = line.split(QLatin1Char(','));
        if (f.size() < 4)
            continue;
        CDealerDirectory::DealerEntry &dealer = out.dealers[f[0]];
        if (f.size() >= 6) {
            const QStringList codes = f[4].split(QLatin1Char('|'));
            const QStringList names = f[5].split(QLatin1Char('|'));
            for (int t = 0; t < codes.size(); ++t)
                dealer.traders << (t < names.size() ? codes[t] + ' ' + names[t] : codes[t]);
        }
        dealer.subjects << f[2] + ' ' + f[3];
        const QString entry = f[0] + ' ' + f[1];
        if (!out.dealerList.contains(entry))
            out.dealerList << entry;
    }
    return out;
}

TEST(DealerFileBytes, loadAsTheWholeFileDecodedAndCutWould)
{
    CDealerDirectory *directory = CDealerDirectory::instance();
    const QByteArray header = utils::utf8ToGbk(
        QStringLiteral("交易商代码,交易商名称,交易主体代码,交易主体名称,交易员代码,交易员名称\n"));
    std::mt19937 random(99);
    for (int round = 0; round < 400; ++round) {
        const QByteArray bytes = header + randomBytes(random, 10 + round % 200);
        QString error;
        if (!directory->loadData(bytes, error))
            continue; // nothing after the header
        SCOPED_TRACE(bytes.toHex().toStdString());
        const PlainDirectory plain = readPlainly(bytes);
        ASSERT_EQ(directory->dealerList(), plain.dealerList);
        ASSERT_EQ(directory->dealerCodes(), QStringList(plain.dealers.keys()));
        for (auto it = plain.dealers.begin(); it != plain.dealers.end(); ++it) {
            ASSERT_EQ(directory->dealer(it.key()).subjects, it->subjects);
            ASSERT_EQ(directory->dealer(it.key()).traders, it->traders);
        }
    }
    directory->resetForTests();
}

} // namespace
