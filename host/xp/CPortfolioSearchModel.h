#pragma once

#include <QString>
#include <QStringList>

namespace XP {

// Data behind a search-as-you-type editor.
class ISearchDataModel
{
public:
    virtual ~ISearchDataModel() = default;
    // Every entry of the model, in model order.
    virtual QStringList getDataList() const = 0;
    // Entries matching `text` (see the implementation for the rule), at most `limit`.
    virtual QStringList search(const QString &text, int limit) const = 0;
};

// A list of "code name" entries searched by code prefix or by any part of the
// name, case-insensitively. Used for dealers, trading subjects and traders.
class CPortfolioSearchModel : public ISearchDataModel
{
public:
    CPortfolioSearchModel() = default;

    // Replaces the entries.
    void init(const QStringList &entries);

    QStringList getDataList() const override { return m_entries; }
    QStringList search(const QString &text, int limit) const override;

    int count() const { return m_entries.size(); }
    // Bumped by every init(): completers use it to drop stale cached matches.
    quint64 generation() const { return m_generation; }

private:
    QStringList m_entries;
    quint64 m_generation = 0;
};

} // namespace XP
