#include "common/CGbkDecoder.h"

#include "utils/StringHelper.h"

#include <QByteArray>
#include <QTextCodec>

#include <memory>

namespace TC {

namespace {

bool isTrail(int byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

} // namespace

const CGbkDecoder *CGbkDecoder::instance()
{
    static const std::unique_ptr<CGbkDecoder> decoder = [] {
        std::unique_ptr<CGbkDecoder> built(new CGbkDecoder());
        if (!built->build())
            built.reset();
        return built;
    }();
    return decoder.get();
}

bool CGbkDecoder::build()
{
    QTextCodec *codec = QTextCodec::codecForName("GBK");
    if (!codec)
        return false;
    const auto decoded = [](const QByteArray &bytes) { return utils::safeGbk2Utf8(bytes); };

    // Every byte below 0x80 stands for itself.
    QByteArray ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.append(char(b));
    const QString asciiText = decoded(ascii);
    if (asciiText.size() != 0x80)
        return false;
    for (int b = 0; b < 0x80; ++b) {
        if (asciiText.at(b).unicode() != b)
            return false;
        m_single[b] = ushort(b);
    }
    // 0x80 and 0xFF are characters of their own; a lead byte alone is U+FFFD.
    for (const int b : { 0x80, 0xFF }) {
        const QString one = decoded(QByteArray(1, char(b)));
        if (one.size() != 1 || one.at(0).unicode() < 0x80 || one.at(0).isSurrogate())
            return false;
        m_single[b] = one.at(0).unicode();
    }
    for (int b = 0x81; b <= 0xFE; ++b)
        m_single[b] = QChar::ReplacementCharacter;

    // Each lead and trail byte make one character, never an ASCII one (no ','
    // or '|' comes out of a pair).
    QByteArray pairs(126 * 190 * 2, Qt::Uninitialized);
    char *pair = pairs.data();
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (isTrail(trail)) {
                *pair++ = char(lead);
                *pair++ = char(trail);
            }
        }
    }
    pairs.truncate(int(pair - pairs.constData()));
    const QString pairText = decoded(pairs);
    if (pairText.size() != pairs.size() / 2)
        return false;
    int at = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (!isTrail(trail))
                continue;
            const QChar c = pairText.at(at++);
            if (c.unicode() < 0x80 || c.isSurrogate())
                return false;
            m_pairs[(lead - 0x81) * 191 + (trail - 0x40)] = c.unicode();
        }
    }

    // A lead byte before a byte that is no trail: U+FFFD, then that byte; a
    // lead byte at the end: U+FFFD.
    QByteArray broken;
    QString expected;
    for (int b = 0; b <= 0xFF; ++b) {
        if (isTrail(b))
            continue;
        broken.append(char(0x81));
        broken.append(char(b));
        expected.append(QChar(QChar::ReplacementCharacter));
        expected.append(QChar(m_single[b]));
    }
    broken.append(char(0x81));
    expected.append(QChar(QChar::ReplacementCharacter));
    return decoded(broken) == expected;
}

int CGbkDecoder::decode(const char *begin, const char *end, QChar *out) const
{
    QChar *const start = out;
    const char *p = begin;
    while (p < end) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x80) { // codes, digits and separators: most of a dealer file
            *out++ = QChar(ushort(byte));
            ++p;
        } else if (charSize(p, end) == 2) {
            const auto trail = static_cast<unsigned char>(p[1]);
            *out++ = QChar(m_pairs[(byte - 0x81) * 191 + (trail - 0x40)]);
            p += 2;
        } else {
            *out++ = QChar(m_single[byte]);
            ++p;
        }
    }
    return int(out - start);
}

QString CGbkDecoder::decode(const char *begin, const char *end) const
{
    QString text(int(end - begin), Qt::Uninitialized);
    text.resize(decode(begin, end, text.data()));
    return text;
}

} // namespace TC
