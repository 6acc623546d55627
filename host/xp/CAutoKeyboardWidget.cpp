#include "xp/CAutoKeyboardWidget.h"

#include "xp/CPortfolioSearchModel.h"
#include "xp/IPinyinAdapter.h"

namespace XP {

CAutoKeyboardWidget::CAutoKeyboardWidget(ISearchDataModel *model, QWidget *parent)
    : QListWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("xp_autokeyboardwidget"));
    setFocusPolicy(Qt::NoFocus);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit picked(item->text()); });
}

void CAutoKeyboardWidget::setSearchModel(ISearchDataModel *model)
{
    m_model = model;
    resetCacheMap();
}

void CAutoKeyboardWidget::setPinyinAdapter(IPinyinAdapter *adapter)
{
    m_pinyin = adapter;
    resetCacheMap();
}

QStringList CAutoKeyboardWidget::matches(const QString &text)
{
    if (!m_model)
        return {};
    if (auto *portfolio = dynamic_cast<CPortfolioSearchModel *>(m_model)) {
        if (portfolio->generation() != m_cachedGeneration) {
            m_cache.clear();
            m_cachedGeneration = portfolio->generation();
        }
    }
    auto it = m_cache.constFind(text);
    if (it != m_cache.constEnd())
        return it.value();
    QStringList found = m_model->search(text, m_maxMatches);
    const QString needle = text.trimmed();
    if (m_pinyin && !needle.isEmpty()) {
        for (const QString &entry : m_model->getDataList()) {
            if (m_maxMatches > 0 && found.size() >= m_maxMatches)
                break;
            if (!found.contains(entry)
                && m_pinyin->initials(entry).contains(needle, Qt::CaseInsensitive))
                found.append(entry);
        }
    }
    m_cache.insert(text, found);
    return found;
}

void CAutoKeyboardWidget::showMatches(const QString &text)
{
    clear();
    addItems(matches(text));
    if (count() > 0)
        setCurrentRow(0);
}

void CAutoKeyboardWidget::resetCacheMap()
{
    m_cache.clear();
}

void CAutoKeyboardWidget::clearCache()
{
    m_cache.clear();
    clear();
}

void CAutoKeyboardWidget::moveCurrent(int delta)
{
    const int n = count();
    if (n == 0)
        return;
    int row = currentRow() < 0 ? (delta > 0 ? -1 : n) : currentRow();
    row = ((row + delta) % n + n) % n;
    setCurrentRow(row);
}

QString CAutoKeyboardWidget::currentText() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->text() : QString();
}

int CAutoKeyboardWidget::heightForRows(int rows) const
{
    const int rowHeight = count() > 0 ? qMax(sizeHintForRow(0), 1) : fontMetrics().height() + 4;
    return rowHeight * qMax(1, rows) + 2 * frameWidth();
}

} // namespace XP
