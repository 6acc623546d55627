#pragma once

#include <QString>

namespace TC {

// Decodes GBK bytes exactly as utils::safeGbk2Utf8 does, from tables taken
// from the same codec, without a call into the codec per piece: the dealer
// file is cut into fields first and only the fields that are needed are
// decoded, when they are needed.
//
// The codec reads GBK a character at a time: a lead byte (0x81-0xFE) and a
// trail byte (0x40-0x7E, 0x80-0xFE) make one character; a lead byte without
// a trail byte gives U+FFFD and the byte after it is read anew. So ',', '\n',
// '\r' and every other byte below 0x40 always stand for themselves, while a
// '|' (0x7C) may be the trail byte of a character (see charSize()).
class CGbkDecoder
{
public:
    // The decoder, built on first use; null when the system's GBK codec does
    // not read GBK as described above.
    static const CGbkDecoder *instance();

    // Bytes of the character that starts at `p`: 2 for a lead and a trail byte.
    static int charSize(const char *p, const char *end)
    {
        const auto lead = static_cast<unsigned char>(p[0]);
        if (lead < 0x81 || lead > 0xFE || p + 1 >= end)
            return 1;
        const auto trail = static_cast<unsigned char>(p[1]);
        return (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) ? 2 : 1;
    }

    // Writes the characters of [begin, end) to `out`, which has room for
    // end - begin of them; returns how many were written.
    int decode(const char *begin, const char *end, QChar *out) const;
    QString decode(const char *begin, const char *end) const;

private:
    CGbkDecoder() = default;
    bool build();

    ushort m_single[256] = {}; // a byte alone: ASCII, 0x80, 0xFF, and a lead without trail
    ushort m_pairs[126 * 191] = {}; // (lead - 0x81) * 191 + (trail - 0x40)
};

} // namespace TC
