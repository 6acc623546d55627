#pragma once

#include <QHash>
#include <QStringList>
#include <QWidget>

class QListWidget;

namespace XP {

class IPinyinAdapter;
class ISearchDataModel;

// The drop-down list of a search-as-you-type editor: a frameless window that
// never takes the focus. It caches the matches of each typed text;
// resetCacheMap() drops the cache after the model changed (a model whose
// generation() moved on is noticed by itself).
//
// A form carries dozens of these and most are never opened, so the list view
// inside is built the first time matches are shown; until then the widget is
// a bare window holding the cache.
class CAutoKeyboardWidget : public QWidget
{
    Q_OBJECT
public:
    CAutoKeyboardWidget(ISearchDataModel *model, QWidget *parent = nullptr);
    ~CAutoKeyboardWidget() override;

    void setSearchModel(ISearchDataModel *model);
    ISearchDataModel *searchModel() const { return m_model; }

    // Also match entries whose pinyin initials contain the typed text.
    void setPinyinAdapter(IPinyinAdapter *adapter);

    // Matches of `text`, from the cache when present.
    QStringList matches(const QString &text);
    // Shows the matches of `text` as the list's rows; the first is current.
    void showMatches(const QString &text);

    // Drops the cached matches.
    void resetCacheMap();
    // Drops the cached matches and the shown rows (before the model is refilled).
    void clearCache();
    int cachedTexts() const { return m_cache.size(); }

    int maxMatches() const { return m_maxMatches; }
    void setMaxMatches(int n) { m_maxMatches = n; }

    // Rows shown; 0 before the first showMatches().
    int count() const;
    int currentRow() const;
    void setCurrentRow(int row);
    // Moves the current row by `delta`, wrapping at both ends.
    void moveCurrent(int delta);
    // Text of the current row; empty when there is none.
    QString currentText() const;
    // Height that shows up to `rows` rows.
    int heightForRows(int rows) const;

    // The list view; null until matches were first shown.
    QListWidget *listView() const { return m_list; }

signals:
    // The trader clicked an entry.
    void picked(const QString &entry);

protected:
    void changeEvent(QEvent *event) override;

private:
    QListWidget *ensureList();

    ISearchDataModel *m_model; // not owned: the model's owner outlives the editor
    IPinyinAdapter *m_pinyin = nullptr; // not owned
    QListWidget *m_list = nullptr; // child, built on first use
    QHash<QString, QStringList> m_cache;
    quint64 m_cachedGeneration = 0;
    int m_maxMatches = 50;
};

} // namespace XP
