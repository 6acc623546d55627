#include "xp/CSearchIndex.h"

#include <gtest/gtest.h>

#include <random>

using namespace XP;

namespace {

// The rule, entry by entry: prefix hits in model order, then other entries holding the text.
QStringList plainScan(const QStringList &entries, const QString &text, int limit)
{
    const QString needle = text.trimmed();
    QStringList prefixed;
    QStringList holding;
    for (const QString &entry : entries) {
        if (needle.isEmpty() || entry.startsWith(needle, Qt::CaseInsensitive))
            prefixed.append(entry);
        else if (entry.contains(needle, Qt::CaseInsensitive))
            holding.append(entry);
    }
    prefixed += holding;
    return limit > 0 ? prefixed.mid(0, limit) : prefixed;
}

QString randomText(std::mt19937 &random, int minLength, int maxLength)
{
    // Characters that fold in interesting ways (σ, ς and Σ alike; 𐐀 and 𐐨 outside the basic plane).
    static const QStringList letters
        = QString::fromUtf8("a|A|b|B|j|J|0|1|2| |-|.|(|*|À|à|ß|Σ|σ|ς|澄|湖|银|行|证|券|𐐀|𐐨|😀")
              .split(QLatin1Char('|'));
    std::uniform_int_distribution<int> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter(0, letters.size() - 1);
    QString out;
    for (int i = length(random); i > 0; --i)
        out += letters.at(letter(random));
    return out;
}

// Texts a trader might type: parts of entries in another case, cut anywhere, and odd ones.
QStringList typedTexts(const QStringList &entries, std::mt19937 &random)
{
    QStringList out = { QString(), QString(QChar(0xDC00)), QString(300, QLatin1Char('a')) };
    for (const char *odd : { "   ", "j", "J0", ".*", "[(", "\\d+", "𐐨", "😀", "SS", "σς" })
        out.append(QString::fromUtf8(odd));
    std::uniform_int_distribution<int> pick(0, entries.size() - 1);
    std::uniform_int_distribution<int> size(1, 4);
    for (int i = 0; i < 200; ++i) {
        const QString &entry = entries.at(pick(random));
        const int start = std::uniform_int_distribution<int>(0, entry.size())(random);
        const QString part = entry.mid(start, size(random));
        out.append(i % 2 ? part.toUpper() : part.toLower());
    }
    for (int i = 0; i < 60; ++i)
        out.append(randomText(random, 1, 3));
    return out;
}

TEST(SearchIndex, answersAsAPlainScanOnRandomEntriesShortAndLong)
{
    std::mt19937 random(20240611);
    for (const int count : { CSearchIndex::kIndexedFrom - 1, 1540 }) {
        QStringList entries;
        for (int i = 0; i < count - 40; ++i)
            entries.append(randomText(random, 0, 12));
        entries.append(entries.mid(0, 40)); // repeated entries stay repeated
        const CSearchIndex index(entries);
        for (const QString &entry : entries)
            ASSERT_TRUE(index.contains(entry)) << entry.toStdString();
        for (const QString &text : typedTexts(entries, random)) {
            // Exact entries only: a text that folds alike is not one of them.
            ASSERT_EQ(index.contains(text), entries.contains(text)) << text.toStdString();
            for (const int limit : { 0, 1, 7, 50 }) {
                ASSERT_EQ(index.search(text, limit), plainScan(entries, text, limit))
                    << count << " entries, text \"" << text.toStdString() << "\", limit " << limit;
            }
        }
    }
}

} // namespace
