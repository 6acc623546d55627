#include "xp/CPortfolioSearchModel.h"

namespace XP {

void CPortfolioSearchModel::init(const QStringList &entries)
{
    m_entries = entries;
    ++m_generation;
}

QStringList CPortfolioSearchModel::search(const QString &text, int limit) const
{
    const QString needle = text.trimmed();
    QStringList prefixHits;
    QStringList otherHits;
    if (needle.isEmpty()) {
        return limit > 0 ? QStringList(m_entries.mid(0, limit)) : m_entries;
    }
    for (const QString &entry : m_entries) {
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
