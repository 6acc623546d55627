#pragma once

#include <QHash>
#include <QListWidget>
#include <QStringList>

namespace XP {

class IPinyinAdapter;
class ISearchDataModel;

// The drop-down list of a search-as-you-type editor. It caches the matches of
// each typed text; resetCacheMap() drops the cache after the model changed
// (a CPortfolioSearchModel that was re-initialised is noticed by itself).
class CAutoKeyboardWidget : public QListWidget
{
    Q_OBJECT
public:
    CAutoKeyboardWidget(ISearchDataModel *model, QWidget *parent = nullptr);

    void setSearchModel(ISearchDataModel *model);
    ISearchDataModel *searchModel() const { return m_model; }

    // Also match entries whose pinyin initials contain the typed text.
    void setPinyinAdapter(IPinyinAdapter *adapter);

    // Matches of `text`, from the cache when present.
    QStringList matches(const QString &text);
    // Shows the matches of `text` as the list's items; the first is current.
    void showMatches(const QString &text);

    // Drops the cached matches.
    void resetCacheMap();
    // Drops the cached matches and the shown items (before the model is refilled).
    void clearCache();
    int cachedTexts() const { return m_cache.size(); }

    int maxMatches() const { return m_maxMatches; }
    void setMaxMatches(int n) { m_maxMatches = n; }

    // Moves the current row by `delta`, wrapping at both ends.
    void moveCurrent(int delta);
    // Text of the current row; empty when there is none.
    QString currentText() const;
    // Height that shows up to `rows` rows.
    int heightForRows(int rows) const;

signals:
    // The trader clicked an entry.
    void picked(const QString &entry);

private:
    ISearchDataModel *m_model; // not owned: the model's owner outlives the editor
    IPinyinAdapter *m_pinyin = nullptr; // not owned
    QHash<QString, QStringList> m_cache;
    quint64 m_cachedGeneration = 0;
    int m_maxMatches = 50;
};

} // namespace XP
