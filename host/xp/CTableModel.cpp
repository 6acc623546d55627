#include "xp/CTableModel.h"

#include "xp/CTableRowStore.h"
#include "xp/CUiResource.h"

#include <QFont>

namespace XP {

QFont CTableModel::emphasisFont()
{
    QFont font = *uiResource()->getFont(QStringLiteral("fnt_default_normal_fix"));
    font.setBold(true);
    return font;
}

CTableModel::CTableModel(CTableRowStore *store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
}

CTableModel::~CTableModel() = default;

int CTableModel::shownInStore() const
{
    return m_store->shownCount();
}

int CTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_published;
}

int CTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_store->columnCount();
}

QVariant CTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_published)
        return QVariant();
    const int row = m_store->rowAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return m_store->displayText(row, index.column());
    case Qt::TextAlignmentRole:
        return m_store->cellAlignment(row, index.column());
    case Qt::ForegroundRole:
        return *uiResource()->getColor(m_store->textColorKey(row, index.column()));
    case Qt::FontRole:
        if (m_store->rowColorKey(row).isEmpty()
            && !m_store->columnEmphasis(index.column()).isEmpty())
            return emphasisFont();
        return QVariant();
    case RowIdRole:
        return row;
    default:
        return QVariant();
    }
}

QVariant CTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headers.value(section);
    if (orientation == Qt::Horizontal && role == Qt::FontRole
        && !m_store->columnEmphasis(section).isEmpty())
        return emphasisFont();
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return QVariant();
}

void CTableModel::setHeaderText(int column, const QString &text)
{
    if (column < 0 || column >= m_headers.size())
        return;
    m_headers[column] = text;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void CTableModel::syncColumns()
{
    while (m_headers.size() > m_store->columnCount())
        m_headers.removeLast();
    while (m_headers.size() < m_store->columnCount())
        m_headers.append(QString());
}

bool CTableModel::hasUnpublished() const
{
    return m_store->isOrderStale() || shownInStore() != m_published;
}

bool CTableModel::publish()
{
    if (m_store->isOrderStale()) {
        reset([this] { m_store->rebuildOrder(); });
        return true;
    }
    const int shown = shownInStore();
    if (shown > m_published) {
        beginInsertRows(QModelIndex(), m_published, shown - 1);
        m_published = shown;
        endInsertRows();
        return true;
    }
    if (shown < m_published) {
        reset([] {});
        return true;
    }
    return false;
}

} // namespace XP
