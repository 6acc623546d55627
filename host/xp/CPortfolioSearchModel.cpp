#include "xp/CPortfolioSearchModel.h"

namespace XP {

void CPortfolioSearchModel::init(const QStringList &entries)
{
    m_entries = entries;
    m_index.reset();
    ++m_generation;
}

const CSearchIndex &CPortfolioSearchModel::index() const
{
    if (!m_index)
        m_index = std::make_unique<CSearchIndex>(m_entries);
    return *m_index;
}

QStringList CPortfolioSearchModel::search(const QString &text, int limit) const
{
    return index().search(text, limit);
}

bool CPortfolioSearchModel::hasEntry(const QString &entry) const
{
    return index().contains(entry);
}

} // namespace XP
