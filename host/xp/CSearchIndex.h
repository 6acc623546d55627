#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string_view>
#include <vector>

namespace XP {

// The matches of a typed text among the entries of a search model, found
// without looking at every entry. The rule is the toolkit's:
//   - the text is trimmed; an empty text lists the first entries;
//   - entries that start with the text, case-insensitively, in model order,
//   - then entries that contain it further on, in model order,
// at most `limit` of them (all when `limit` <= 0).
//
// Each entry has a key: its text case-folded unit by unit, as Qt compares
// case-insensitively. Entries starting with a text are a range of the sorted
// keys, and the first of them in model order come from a minimum tree over
// that order. Entries containing a text are among those that hold its rarest
// pair of adjacent characters (or its one character), listed in model order.
// Qt's own comparison confirms every hit, so the index only narrows down where
// to look. Short lists are searched entry by entry.
//
// Built once for a list of entries; a new list needs a new index.
class CSearchIndex
{
public:
    explicit CSearchIndex(const QStringList &entries = QStringList());

    const QStringList &entries() const { return m_entries; }
    QStringList search(const QString &text, int limit) const;
    // Whether `entry` is one of the entries (exact, case-sensitive).
    bool contains(const QString &entry) const;

    // The rule applied entry by entry: what the index must answer.
    static QStringList scan(const QStringList &entries, const QString &text, int limit);

    // Lists shorter than this are scanned.
    static constexpr int kIndexedFrom = 256;

private:
    // Entries of the unit pair `key` (or the unit `key`), in model order.
    struct Postings
    {
        const int *begin = nullptr;
        const int *end = nullptr;
        size_t size() const { return size_t(end - begin); }
    };
    struct PairSlot
    {
        std::uint32_t key = 0;
        int last = -1; // the entry that counted the pair last while building
        int begin = 0;
        int count = 0; // 0: free
    };

    std::u16string_view key(int entry) const;
    // [lo, hi) of m_sorted whose keys start with `folded`.
    std::pair<int, int> prefixRange(std::u16string_view folded) const;
    // The entries of m_sorted[lo, hi) that start with `needle`, smallest first, at most `limit`.
    void appendPrefixHits(int lo, int hi, const QString &needle, int limit, QStringList &out) const;
    Postings containing(std::u16string_view folded) const;
    const PairSlot *pairSlot(std::uint32_t key) const;
    PairSlot &insertPair(std::uint32_t key);

    QStringList m_entries;
    bool m_indexed = false;
    std::vector<char16_t> m_keys; // every entry's key, one after the other
    std::vector<int> m_keyStart; // entry i's key is [m_keyStart[i], m_keyStart[i + 1])
    std::vector<int> m_sorted; // entries by key, then model order
    std::vector<int> m_minTree; // minimum of m_sorted over each node; leaves from m_leaves
    int m_leaves = 0;
    std::vector<int> m_unitStart; // entries holding unit u: m_unitPostings[m_unitStart[u]..[u + 1])
    std::vector<int> m_unitPostings;
    std::vector<PairSlot> m_pairs; // open addressing by pair key, at most half full
    int m_pairCount = 0;
    std::vector<int> m_pairPostings;
};

} // namespace XP
