#pragma once

#include "xp/CSearchIndex.h"

#include <QString>
#include <QStringList>

#include <memory>

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
    // Whether `entry` is one of the entries, exactly.
    virtual bool hasEntry(const QString &entry) const { return getDataList().contains(entry); }
    // Changes whenever the entries change: completers drop cached matches then.
    virtual quint64 generation() const { return 0; }
};

// A list of "code name" entries searched by code prefix or by any part of the
// name, case-insensitively (CSearchIndex gives the rule). Used for dealers,
// trading subjects and traders. The index is built by the first search after
// the entries changed and serves every editor over the model.
class CPortfolioSearchModel : public ISearchDataModel
{
public:
    CPortfolioSearchModel() = default;

    // Replaces the entries.
    void init(const QStringList &entries);

    QStringList getDataList() const override { return m_entries; }
    QStringList search(const QString &text, int limit) const override;
    bool hasEntry(const QString &entry) const override;

    // Builds the index now; otherwise the first search after init() does.
    void prepare() const { index(); }

    int count() const { return m_entries.size(); }
    // Bumped by every init(): completers use it to drop stale cached matches.
    quint64 generation() const override { return m_generation; }

private:
    const CSearchIndex &index() const;

    QStringList m_entries;
    quint64 m_generation = 0;
    mutable std::unique_ptr<CSearchIndex> m_index; // of m_entries; null until searched
};

} // namespace XP
