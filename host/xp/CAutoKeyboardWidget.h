#pragma once

#include <QHash>
#include <QListWidget>
#include <QStringList>

namespace XP {

class ISearchDataModel;

// The drop-down list of a search-as-you-type editor. It caches the matches of
// each typed text; resetCacheMap() drops the cache after the model changed.
class CAutoKeyboardWidget : public QListWidget
{
    Q_OBJECT
public:
    CAutoKeyboardWidget(ISearchDataModel *model, QWidget *parent = nullptr);

    void setModel(ISearchDataModel *model);
    ISearchDataModel *model() const { return m_model; }

    // Matches of `text`, from the cache when present.
    QStringList matches(const QString &text);
    // Shows the matches of `text` as the list's items.
    void showMatches(const QString &text);

    void resetCacheMap();
    int cachedTexts() const { return m_cache.size(); }

    int maxMatches() const { return m_maxMatches; }
    void setMaxMatches(int n) { m_maxMatches = n; }

private:
    ISearchDataModel *m_model; // not owned: the model's owner outlives the editor
    QHash<QString, QStringList> m_cache;
    int m_maxMatches = 50;
};

} // namespace XP
