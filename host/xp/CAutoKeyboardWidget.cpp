#include "xp/CAutoKeyboardWidget.h"

#include "xp/CPortfolioSearchModel.h"

namespace XP {

CAutoKeyboardWidget::CAutoKeyboardWidget(ISearchDataModel *model, QWidget *parent)
    : QListWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("xp_autokeyboardwidget"));
}

void CAutoKeyboardWidget::setModel(ISearchDataModel *model)
{
    m_model = model;
    resetCacheMap();
}

QStringList CAutoKeyboardWidget::matches(const QString &text)
{
    if (!m_model)
        return {};
    auto it = m_cache.constFind(text);
    if (it != m_cache.constEnd())
        return it.value();
    const QStringList found = m_model->search(text, m_maxMatches);
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

} // namespace XP
