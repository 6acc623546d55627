#include "xp/CSearchIndex.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <queue>

namespace XP {

namespace {

// Qt compares case-insensitively unit by unit, folding a low surrogate together
// with the high one before it. Keys fold every other unit the same way and give
// all low surrogates one key, so that whatever Qt finds equal has equal keys.
char16_t foldUnit(char16_t unit)
{
    if (QChar::isLowSurrogate(unit))
        return 0xDC00;
    if (QChar::isHighSurrogate(unit))
        return unit;
    return char16_t(QChar::toCaseFolded(uint(unit)));
}

std::u16string fold(const QString &text)
{
    std::u16string out(size_t(text.size()), u'\0');
    const QChar *in = text.constData();
    for (int i = 0; i < text.size(); ++i)
        out[size_t(i)] = foldUnit(in[i].unicode());
    return out;
}

std::uint32_t pairKey(char16_t first, char16_t second)
{
    return std::uint32_t(first) << 16 | second;
}

size_t hashPair(std::uint32_t key)
{
    return size_t((key * 2654435761u) ^ (key >> 15));
}

bool startsWith(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

CSearchIndex::CSearchIndex(const QStringList &entries)
    : m_entries(entries)
{
    const int n = entries.size();
    if (n < kIndexedFrom)
        return;
    m_indexed = true;

    m_keyStart.resize(size_t(n) + 1);
    size_t units = 0;
    for (const QString &entry : entries)
        units += size_t(entry.size());
    m_keys.reserve(units);
    for (int i = 0; i < n; ++i) {
        const QString &entry = entries.at(i);
        const QChar *in = entry.constData();
        for (int j = 0; j < entry.size(); ++j)
            m_keys.push_back(foldUnit(in[j].unicode()));
        m_keyStart[size_t(i) + 1] = int(m_keys.size());
    }

    m_sorted.resize(size_t(n));
    std::iota(m_sorted.begin(), m_sorted.end(), 0);
    std::sort(m_sorted.begin(), m_sorted.end(), [this](int a, int b) {
        const int order = key(a).compare(key(b));
        return order < 0 || (order == 0 && a < b);
    });
    m_leaves = 1;
    while (m_leaves < n)
        m_leaves *= 2;
    m_minTree.assign(size_t(m_leaves) * 2, INT_MAX);
    std::copy(m_sorted.begin(), m_sorted.end(), m_minTree.begin() + m_leaves);
    for (int node = m_leaves - 1; node >= 1; --node)
        m_minTree[size_t(node)]
            = std::min(m_minTree[size_t(2 * node)], m_minTree[size_t(2 * node + 1)]);

    // Entries holding each unit: counted, then placed; each entry once per unit.
    std::vector<int> lastEntry(0x10000, -1);
    m_unitStart.assign(0x10001, 0);
    for (int i = 0; i < n; ++i) {
        for (const char16_t unit : key(i)) {
            if (lastEntry[unit] != i) {
                lastEntry[unit] = i;
                ++m_unitStart[size_t(unit) + 1];
            }
        }
    }
    std::partial_sum(m_unitStart.begin(), m_unitStart.end(), m_unitStart.begin());
    m_unitPostings.resize(size_t(m_unitStart.back()));
    std::vector<int> fill(m_unitStart.begin(), m_unitStart.end() - 1);
    std::fill(lastEntry.begin(), lastEntry.end(), -1);
    for (int i = 0; i < n; ++i) {
        for (const char16_t unit : key(i)) {
            if (lastEntry[unit] != i) {
                lastEntry[unit] = i;
                m_unitPostings[size_t(fill[unit]++)] = i;
            }
        }
    }

    // The same for each pair of adjacent units.
    m_pairs.resize(4096);
    for (int i = 0; i < n; ++i) {
        const std::u16string_view k = key(i);
        for (size_t j = 1; j < k.size(); ++j) {
            PairSlot &slot = insertPair(pairKey(k[j - 1], k[j]));
            if (slot.last != i) {
                slot.last = i;
                ++slot.count;
            }
        }
    }
    int begin = 0;
    for (PairSlot &slot : m_pairs) {
        slot.begin = begin;
        begin += slot.count;
        slot.last = -1;
    }
    m_pairPostings.resize(size_t(begin));
    std::vector<int> placed(m_pairs.size(), 0);
    for (int i = 0; i < n; ++i) {
        const std::u16string_view k = key(i);
        for (size_t j = 1; j < k.size(); ++j) {
            PairSlot &slot = insertPair(pairKey(k[j - 1], k[j]));
            if (slot.last != i) {
                slot.last = i;
                m_pairPostings[size_t(slot.begin + placed[size_t(&slot - m_pairs.data())]++)] = i;
            }
        }
    }
}

std::u16string_view CSearchIndex::key(int entry) const
{
    const int begin = m_keyStart[size_t(entry)];
    return std::u16string_view(m_keys.data() + begin,
                               size_t(m_keyStart[size_t(entry) + 1] - begin));
}

CSearchIndex::PairSlot &CSearchIndex::insertPair(std::uint32_t key)
{
    if (size_t(m_pairCount + 1) * 2 > m_pairs.size()) {
        std::vector<PairSlot> bigger(m_pairs.size() * 2);
        const size_t mask = bigger.size() - 1;
        for (const PairSlot &slot : m_pairs) {
            if (slot.count == 0)
                continue;
            size_t i = hashPair(slot.key) & mask;
            while (bigger[i].count != 0)
                i = (i + 1) & mask;
            bigger[i] = slot;
        }
        m_pairs.swap(bigger);
    }
    const size_t mask = m_pairs.size() - 1;
    size_t i = hashPair(key) & mask;
    while (m_pairs[i].count != 0 && m_pairs[i].key != key)
        i = (i + 1) & mask;
    if (m_pairs[i].count == 0) {
        // Counted at once by the caller: a slot with a count is taken.
        m_pairs[i].key = key;
        ++m_pairCount;
    }
    return m_pairs[i];
}

const CSearchIndex::PairSlot *CSearchIndex::pairSlot(std::uint32_t key) const
{
    const size_t mask = m_pairs.size() - 1;
    for (size_t i = hashPair(key) & mask; m_pairs[i].count != 0; i = (i + 1) & mask) {
        if (m_pairs[i].key == key)
            return &m_pairs[i];
    }
    return nullptr;
}

std::pair<int, int> CSearchIndex::prefixRange(std::u16string_view folded) const
{
    const auto lo = std::lower_bound(
        m_sorted.begin(), m_sorted.end(), folded,
        [this](int entry, std::u16string_view text) { return key(entry).compare(text) < 0; });
    const auto hi = std::partition_point(
        lo, m_sorted.end(), [this, folded](int entry) { return startsWith(key(entry), folded); });
    return { int(lo - m_sorted.begin()), int(hi - m_sorted.begin()) };
}

void CSearchIndex::appendPrefixHits(int lo, int hi, const QString &needle, int limit,
                                    QStringList &out) const
{
    const auto take = [&](int entry) {
        const QString &text = m_entries.at(entry);
        if (text.startsWith(needle, Qt::CaseInsensitive))
            out.append(text);
    };
    if (hi - lo <= 64 || limit == INT_MAX) {
        std::vector<int> entries(m_sorted.begin() + lo, m_sorted.begin() + hi);
        std::sort(entries.begin(), entries.end());
        for (const int entry : entries) {
            if (out.size() >= limit)
                return;
            take(entry);
        }
        return;
    }
    // The smallest entries of the range, one by one: the nodes covering the
    // range go into a queue by their minimum, and a node taken from it gives
    // way to its children, down to the leaves.
    using Node = std::pair<int, int>; // minimum, node
    std::priority_queue<Node, std::vector<Node>, std::greater<Node>> queue;
    for (int l = lo + m_leaves, r = hi + m_leaves; l < r; l /= 2, r /= 2) {
        if (l & 1) {
            queue.push({ m_minTree[size_t(l)], l });
            ++l;
        }
        if (r & 1) {
            --r;
            queue.push({ m_minTree[size_t(r)], r });
        }
    }
    while (!queue.empty() && out.size() < limit) {
        const int node = queue.top().second;
        queue.pop();
        if (node >= m_leaves) {
            take(m_minTree[size_t(node)]);
            continue;
        }
        queue.push({ m_minTree[size_t(2 * node)], 2 * node });
        queue.push({ m_minTree[size_t(2 * node + 1)], 2 * node + 1 });
    }
}

CSearchIndex::Postings CSearchIndex::containing(std::u16string_view folded) const
{
    Postings best;
    if (folded.size() == 1) {
        best.begin = m_unitPostings.data() + m_unitStart[folded[0]];
        best.end = m_unitPostings.data() + m_unitStart[size_t(folded[0]) + 1];
        return best;
    }
    bool first = true;
    for (size_t j = 1; j < folded.size(); ++j) {
        const PairSlot *slot = pairSlot(pairKey(folded[j - 1], folded[j]));
        if (!slot)
            return Postings(); // no entry holds this pair
        if (first || size_t(slot->count) < best.size()) {
            best.begin = m_pairPostings.data() + slot->begin;
            best.end = best.begin + slot->count;
            first = false;
        }
    }
    return best;
}

QStringList CSearchIndex::search(const QString &text, int limit) const
{
    if (!m_indexed)
        return scan(m_entries, text, limit);
    const QString needle = text.trimmed();
    if (needle.isEmpty())
        return limit > 0 ? QStringList(m_entries.mid(0, limit)) : m_entries;
    const int most = limit > 0 ? limit : INT_MAX;
    const std::u16string folded = fold(needle);

    QStringList out;
    const std::pair<int, int> range = prefixRange(folded);
    appendPrefixHits(range.first, range.second, needle, most, out);
    if (out.size() >= most)
        return out;
    const Postings candidates = containing(folded);
    for (const int *it = candidates.begin; it != candidates.end && out.size() < most; ++it) {
        // Other hits hold the text past their first character.
        if (key(*it).find(folded, 1) == std::u16string_view::npos)
            continue;
        const QString &entry = m_entries.at(*it);
        if (!entry.startsWith(needle, Qt::CaseInsensitive)
            && entry.contains(needle, Qt::CaseInsensitive))
            out.append(entry);
    }
    return out;
}

bool CSearchIndex::contains(const QString &entry) const
{
    if (!m_indexed)
        return m_entries.contains(entry);
    const std::u16string folded = fold(entry);
    const auto lo = std::lower_bound(
        m_sorted.begin(), m_sorted.end(), std::u16string_view(folded),
        [this](int i, std::u16string_view text) { return key(i).compare(text) < 0; });
    for (auto it = lo; it != m_sorted.end() && key(*it) == std::u16string_view(folded); ++it) {
        if (m_entries.at(*it) == entry)
            return true;
    }
    return false;
}

QStringList CSearchIndex::scan(const QStringList &entries, const QString &text, int limit)
{
    const QString needle = text.trimmed();
    if (needle.isEmpty())
        return limit > 0 ? QStringList(entries.mid(0, limit)) : entries;
    QStringList prefixHits;
    QStringList otherHits;
    for (const QString &entry : entries) {
        if (entry.startsWith(needle, Qt::CaseInsensitive))
            prefixHits.append(entry);
        else if (entry.contains(needle, Qt::CaseInsensitive))
            otherHits.append(entry);
        if (limit > 0 && prefixHits.size() >= limit)
            break;
    }
    // Code prefixes first: that is what a trader typing a code expects on top.
    prefixHits.append(otherHits);
    if (limit > 0 && prefixHits.size() > limit)
        prefixHits.erase(prefixHits.begin() + limit, prefixHits.end());
    return prefixHits;
}

} // namespace XP
