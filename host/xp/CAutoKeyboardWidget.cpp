#include "xp/CAutoKeyboardWidget.h"

#include "xp/CPortfolioSearchModel.h"
#include "xp/IPinyinAdapter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QVBoxLayout>

namespace XP {

CAutoKeyboardWidget::CAutoKeyboardWidget(ISearchDataModel *model, QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
    , m_model(model)
{
    setObjectName(QStringLiteral("xp_autokeyboardwidget"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

CAutoKeyboardWidget::~CAutoKeyboardWidget() = default;

QListWidget *CAutoKeyboardWidget::ensureList()
{
    if (m_list)
        return m_list;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("xp_autokeyboardlist"));
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit picked(item->text()); });
    return m_list;
}

void CAutoKeyboardWidget::changeEvent(QEvent *event)
{
    // A window does not hand its font on to its children by itself.
    if (event->type() == QEvent::FontChange && m_list)
        m_list->setFont(font());
    QWidget::changeEvent(event);
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
    if (m_model->generation() != m_cachedGeneration) {
        m_cache.clear();
        m_cachedGeneration = m_model->generation();
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
    QListWidget *list = ensureList();
    if (list->font() != font())
        list->setFont(font());
    list->clear();
    list->addItems(matches(text));
    if (list->count() > 0)
        list->setCurrentRow(0);
}

void CAutoKeyboardWidget::resetCacheMap()
{
    m_cache.clear();
}

void CAutoKeyboardWidget::clearCache()
{
    m_cache.clear();
    if (m_list)
        m_list->clear();
}

int CAutoKeyboardWidget::count() const
{
    return m_list ? m_list->count() : 0;
}

int CAutoKeyboardWidget::currentRow() const
{
    return m_list ? m_list->currentRow() : -1;
}

void CAutoKeyboardWidget::setCurrentRow(int row)
{
    if (m_list)
        m_list->setCurrentRow(row);
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
    const QListWidgetItem *item = m_list ? m_list->currentItem() : nullptr;
    return item ? item->text() : QString();
}

int CAutoKeyboardWidget::heightForRows(int rows) const
{
    const int rowHeight
        = count() > 0 ? qMax(m_list->sizeHintForRow(0), 1) : fontMetrics().height() + 4;
    const int frame = m_list ? 2 * m_list->frameWidth() : 0;
    return rowHeight * qMax(1, rows) + frame;
}

} // namespace XP
