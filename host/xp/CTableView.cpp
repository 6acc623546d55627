#include "xp/CTableView.h"

#include "xp/COddEvenRowTable.h"
#include "xp/CTableModel.h"
#include "xp/CTableRowStore.h"
#include "xp/CUiResource.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace XP {

namespace {

// Paints a cell from the row store: no style sheet matching and no widget per
// cell, so a screen of rows costs a few fills and text runs.
class CTableCellPainter final : public QStyledItemDelegate
{
public:
    CTableCellPainter(COddEvenRowTable *table, CTableRowStore *store, QTableView *view)
        : QStyledItemDelegate(view)
        , m_table(table)
        , m_store(store)
        , m_view(view)
    {
    }

    const QPersistentModelIndex *hovered = nullptr;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const int row = m_store->rowAt(index.row());
        const CTableCell *cell = m_store->cell(row, index.column());
        CUiResource *theme = uiResource();
        const bool selected = row >= 0 && row == m_table->selectedRow()
            && (m_table->isSelectionShownWithoutFocus() || m_view->hasFocus());
        QColor ground = *theme->getColor(index.row() % 2 ? QStringLiteral("clr_table_background2")
                                                         : QStringLiteral("clr_table_background"));
        if (selected) {
            ground = *theme->getColor(QStringLiteral("clr_selection_background"));
        } else {
            const QString columnGround = m_store->columnBackground(index.column());
            if (!columnGround.isEmpty())
                ground = *theme->getColor(columnGround);
        }
        painter->fillRect(option.rect, ground);
        if (!cell)
            return;
        const bool isHovered = hovered && *hovered == index;
        if (cell->control) {
            cell->control->paint(painter, option.rect, m_view, isHovered);
            return;
        }
        if (cell->kind == CTableCell::WIDGET)
            return;
        const QString text = m_store->displayText(row, index.column());
        if (text.isEmpty())
            return;
        const QRect inner = option.rect.adjusted(5, 0, -5, 0);
        painter->setPen(*theme->getColor(m_store->textColorKey(row, index.column())));
        const bool emphasis = m_store->rowColorKey(row).isEmpty()
            && !m_store->columnEmphasis(index.column()).isEmpty();
        if (emphasis) {
            painter->save();
            painter->setFont(CTableModel::emphasisFont());
        }
        const QFontMetrics metrics = emphasis ? painter->fontMetrics() : option.fontMetrics;
        // Measuring shapes the text a second time: only texts that might not
        // fit are measured.
        const bool mayNotFit = text.size() * metrics.maxWidth() > inner.width();
        const QString shown = mayNotFit && metrics.horizontalAdvance(text) > inner.width()
            ? metrics.elidedText(text, Qt::ElideRight, inner.width())
            : text;
        painter->drawText(inner, m_store->cellAlignment(row, index.column()), shown);
        if (emphasis)
            painter->restore();
    }

private:
    COddEvenRowTable *m_table;
    CTableRowStore *m_store;
    QTableView *m_view;
};

} // namespace

CTableView::CTableView(COddEvenRowTable *table, CTableRowStore *store, QWidget *parent)
    : QTableView(parent)
    , m_table(table)
    , m_store(store)
{
    setObjectName(QStringLiteral("xp_tableview"));
    auto *painter = new CTableCellPainter(table, store, this);
    painter->hovered = &m_hovered;
    setItemDelegate(painter);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::StrongFocus);
    setWordWrap(false);
    setShowGrid(false);
    setFrameShape(QFrame::NoFrame);
    setMouseTracking(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(24);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(24);
    horizontalHeader()->setDefaultSectionSize(90);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
}

CTableView::~CTableView() = default;

void CTableView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (event->button() != Qt::LeftButton || !index.isValid()) {
        if (event->button() == Qt::LeftButton)
            setFocus(Qt::MouseFocusReason);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int row = m_store->rowAt(index.row());
    CTableCell *cell = m_store->cell(row, index.column());
    if (cell && cell->control && cell->control->isClickable()) {
        // The control's owner decides about the selection (a contract row's
        // radio button selects its row through the owner). Controls of
        // several parts act on the part under the pointer.
        cell->control->clickAt(viewport(), event->pos(), visualRect(index));
        return;
    }
    if (m_store->isRowSelectable(row))
        m_table->setSelectedRowIndex(index.row());
    m_table->notifyRowClicked(row, index.column());
}

void CTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->pos());
    if (event->button() == Qt::LeftButton && index.isValid()
        && m_table->editItem(m_store->rowAt(index.row()), index.column()))
        return;
    // A double click on a control is two clicks for it, nothing more.
    mousePressEvent(event);
}

void CTableView::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(indexAt(event->pos()));
    QTableView::mouseMoveEvent(event);
}

void CTableView::leaveEvent(QEvent *event)
{
    setHovered(QModelIndex());
    QTableView::leaveEvent(event);
}

void CTableView::setHovered(const QModelIndex &index)
{
    if (index == m_hovered)
        return;
    const QModelIndex before = m_hovered;
    m_hovered = index;
    if (before.isValid())
        viewport()->update(visualRect(before));
    const CTableCell *cell
        = index.isValid() ? m_store->cell(m_store->rowAt(index.row()), index.column()) : nullptr;
    const bool hand = cell && cell->control && cell->control->isClickable();
    if (hand)
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
    if (index.isValid() && cell && cell->control)
        viewport()->update(visualRect(index));
}

void CTableView::moveSelection(int step)
{
    const int shown = model() ? model()->rowCount() : 0;
    if (shown == 0)
        return;
    int index = m_table->selectedRowIndex();
    if (index < 0)
        index = step > 0 ? -1 : shown;
    const int direction = step > 0 ? 1 : -1;
    int target = std::max(0, std::min(shown - 1, index + step));
    // Skip rows that cannot be selected, in the direction of the move.
    while (target >= 0 && target < shown && !m_store->isRowSelectable(m_store->rowAt(target)))
        target += direction;
    if (target < 0 || target >= shown)
        return;
    m_table->setSelectedRowIndex(target);
}

void CTableView::keyPressEvent(QKeyEvent *event)
{
    const int page
        = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
    switch (event->key()) {
    case Qt::Key_Up:
        moveSelection(-1);
        return;
    case Qt::Key_Down:
        moveSelection(1);
        return;
    case Qt::Key_PageUp:
        moveSelection(-page);
        return;
    case Qt::Key_PageDown:
        moveSelection(page);
        return;
    case Qt::Key_Home:
        moveSelection(-m_store->rowCount());
        return;
    case Qt::Key_End:
        moveSelection(m_store->rowCount());
        return;
    case Qt::Key_F2:
        // Edits the first editable cell of the selected row.
        for (int column = 0; column < m_store->columnCount(); ++column)
            if (m_table->editItem(m_table->selectedRow(), column))
                return;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The keyboard's way to click a row's radio button, or to act on the row.
        if (m_table->activateSelectedRow())
            return;
        break;
    default:
        if (event->matches(QKeySequence::Copy) && (m_table->flag() & TF_COPY)) {
            m_table->copyRows(true);
            return;
        }
        break;
    }
    QTableView::keyPressEvent(event);
}

void CTableView::contextMenuEvent(QContextMenuEvent *event)
{
    m_table->showRowMenu(event->globalPos(), indexAt(event->pos()));
}

void CTableView::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    if (!m_table->isSelectionShownWithoutFocus())
        viewport()->update();
}

void CTableView::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (!m_table->isSelectionShownWithoutFocus())
        viewport()->update();
}

void CTableView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    layoutCellWidgets();
}

void CTableView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    layoutCellWidgets();
}

void CTableView::updateGeometries()
{
    // Headers, scroll bars and cell widgets are placed when the view is on
    // screen: a hidden table (most of the panel's, most of the time) would
    // measure every header text again at each change of its columns.
    if (!isVisible()) {
        m_geometriesPending = true;
        return;
    }
    m_geometriesPending = false;
    QTableView::updateGeometries();
    layoutCellWidgets();
}

void CTableView::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    if (m_geometriesPending)
        updateGeometries();
}

void CTableView::updateRows(int firstIndex, int lastIndex)
{
    const int published = model() ? model()->rowCount() : 0;
    firstIndex = std::max(firstIndex, 0);
    lastIndex = std::min(lastIndex, published - 1);
    if (firstIndex > lastIndex)
        return;
    // Only the rows on screen are repainted; a changed cell far below costs nothing.
    const int top = rowViewportPosition(firstIndex);
    const int bottom = rowViewportPosition(lastIndex) + rowHeight(lastIndex);
    const QRect changed(0, top, viewport()->width(), bottom - top);
    const QRect visible = changed.intersected(viewport()->rect());
    if (!visible.isEmpty())
        viewport()->update(visible);
}

void CTableView::layoutCellWidgets()
{
    if (!m_table)
        return;
    const int published = model() ? model()->rowCount() : 0;
    for (const auto &entry : m_table->cellWidgets()) {
        QWidget *widget = entry.second;
        const int index = m_store->indexOf(entry.first.first);
        QRect rect;
        if (index >= 0 && index < published && !isColumnHidden(entry.first.second))
            rect = visualRect(model()->index(index, entry.first.second));
        if (rect.isValid() && rect.intersects(viewport()->rect())) {
            widget->setGeometry(rect.adjusted(1, 1, -1, -1));
            widget->show();
        } else {
            widget->hide();
        }
    }
    if (QLineEdit *editor = m_table->editor()) {
        const int index = m_store->indexOf(m_table->editorRow());
        if (index >= 0 && index < published)
            editor->setGeometry(visualRect(model()->index(index, m_table->editorColumn())));
    }
}

} // namespace XP
