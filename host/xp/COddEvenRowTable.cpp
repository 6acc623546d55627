#include "xp/COddEvenRowTable.h"

#include "xp/CMessageBox.h"
#include "xp/CRadioButton.h"
#include "xp/CTableCellEdit.h"
#include "xp/CTableModel.h"
#include "xp/CTableRowStore.h"
#include "xp/CTableStatLine.h"
#include "xp/CTableView.h"
#include "xp/IDialogResponder.h"
#include "xp/TableLayoutStore.h"
#include "xp/TextWidth.h"
#include "xp/WidgetEvents.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>
#include <QScrollBar>
#include <QTextCodec>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <map>

namespace XP {

namespace {

// Posted to the table itself: the rows changed in this turn of the event loop
// reach the view together.
const QEvent::Type kFlushEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The shortest time between two repaints of changed rows: one frame (16.7 ms).
constexpr qint64 kFrameMs = 17;

// How many distinct values a filter menu offers before it gives up listing them.
constexpr int kMaxFilterValues = 200;

// A spreadsheet drops leading zeros and turns long digit strings (account
// ids, contract numbers) into rounded numbers; ="..." keeps them as text.
QString csvField(const QString &text, bool textCell)
{
    const bool digitsOnly = !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    if (textCell && digitsOnly && (text.startsWith(QLatin1Char('0')) || text.size() > 11))
        return QStringLiteral("=\"%1\"").arg(text);
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"'))
        || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\""))
            + QLatin1Char('"');
    return text;
}

} // namespace

COddEvenRowTable::COddEvenRowTable(int style, QWidget *parent, int menuFlags)
    : CBaseWidget(QStringLiteral("xp_oddevenrowtable"), false, parent)
    , m_style(style)
    , m_menuFlags(menuFlags)
    , m_flag(menuFlags | TF_SAVE_LAYOUT)
    , m_store(new CTableRowStore)
{
    m_model = new CTableModel(m_store.get(), this);
    m_view = new CTableView(this, m_store.get(), this);
    m_view->setModel(m_model);
    m_statLine = new CTableStatLine(m_view, &m_statTexts, this);
    m_frameTimer = new QTimer(this);
    m_frameTimer->setSingleShot(true);
    m_frameTimer->setTimerType(Qt::PreciseTimer);
    connect(m_frameTimer, &QTimer::timeout, this, [this] { flush(); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_statLine);

    QHeaderView *header = m_view->horizontalHeader();
    header->setSortIndicatorShown(false);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (!(m_flag & TF_SORT))
            return;
        const Qt::SortOrder order
            = sortColumn() == column && m_store->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
        sortByColumn(column, order);
    });
    connect(header, &QHeaderView::sectionResized, this, [this] {
        m_statLine->update();
        saveLayout();
    });
    connect(header, &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint &pos) { showHeaderMenu(pos); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_statLine,
            [this] { m_statLine->update(); });
    updateStatLineVisibility();
}

COddEvenRowTable::~COddEvenRowTable()
{
    closeEditor(false);
    // The view and its painter read the store; they go first.
    delete m_view;
    m_view = nullptr;
}

void COddEvenRowTable::setFlag(int flag)
{
    m_flag = flag;
    updateStatLineVisibility();
}

void COddEvenRowTable::updateStatLineVisibility()
{
    m_statLine->setVisible(m_flag & TF_STAT_LINE);
}

// ---- columns ---------------------------------------------------------------

void COddEvenRowTable::clearColumns()
{
    setColumnCount(0);
}

void COddEvenRowTable::setColumnCount(int count)
{
    count = std::max(0, count);
    if (count == m_store->columnCount())
        return;
    flush();
    m_model->reset([this, count] {
        m_store->setColumnCount(count);
        m_model->syncColumns();
    });
    while (m_statTexts.size() > count)
        m_statTexts.removeLast();
    while (m_statTexts.size() < count)
        m_statTexts.append(QString());
    while (m_defaultWidths.size() > count)
        m_defaultWidths.removeLast();
    while (m_defaultWidths.size() < count)
        m_defaultWidths.append(-1);
    m_filterable.clear();
    m_layoutRestored = false;
    m_columnsFitted = false;
    if (isVisible())
        restoreLayout();
    m_statLine->update();
}

int COddEvenRowTable::columnCount() const
{
    return m_store->columnCount();
}

void COddEvenRowTable::setColumnWidth(int column, int width)
{
    if (column < 0 || column >= columnCount())
        return;
    m_defaultWidths[column] = width;
    m_view->setColumnWidth(column, width);
}

int COddEvenRowTable::columnWidth(int column) const
{
    return m_view->columnWidth(column);
}

void COddEvenRowTable::setHeaderText(int column, const QString &text)
{
    m_model->setHeaderText(column, text);
}

void COddEvenRowTable::setHeaderTexts(const QStringList &texts)
{
    for (int column = 0; column < texts.size(); ++column)
        setHeaderText(column, texts.at(column));
}

QString COddEvenRowTable::headerText(int column) const
{
    return m_model->headerText(column);
}

void COddEvenRowTable::setColumnHidden(int column, bool hidden)
{
    if (column < 0 || column >= columnCount())
        return;
    m_view->setColumnHidden(column, hidden);
    m_statLine->update();
}

bool COddEvenRowTable::isColumnHidden(int column) const
{
    return m_view->isColumnHidden(column);
}

void COddEvenRowTable::adjustVisibleRowsColumnWidth()
{
    flush();
    fitColumns(true);
}

void COddEvenRowTable::fitColumns(bool all)
{
    const QFont font = m_view->font();
    const QFont headerFont = m_view->horizontalHeader()->font();
    // The rows on screen; before the first show, the first screenful.
    const int rowHeight = std::max(1, m_view->verticalHeader()->defaultSectionSize());
    int first = m_view->isVisible() ? m_view->rowAt(0) : 0;
    first = std::max(first, 0);
    const int screen = std::max(20, m_view->viewport()->height() / rowHeight + 1);
    const int last = std::min(shownRowCount(), first + screen);
    const QStringList saved
        = (m_flag & TF_SAVE_LAYOUT) ? loadTableLayout(layoutKey()) : QStringList();
    for (int column = 0; column < columnCount(); ++column) {
        if (isColumnHidden(column))
            continue;
        if (!all && (m_defaultWidths.value(column, -1) > 0 || saved.size() == columnCount()))
            continue;
        int width = std::max(textWidth(headerFont, headerText(column)) + 16,
                             textWidth(font, m_statTexts.value(column)) + 12);
        for (int index = first; index < last; ++index) {
            const int row = rowID(index);
            const CTableCell *cell = m_store->cell(row, column);
            if (cell && cell->kind == CTableCell::WIDGET)
                width = std::max(width, itemWidget(row, column)->sizeHint().width() + 4);
            else
                width = std::max(width, textWidth(font, m_store->displayText(row, column)) + 12);
        }
        m_view->setColumnWidth(column, std::min(width, 400));
    }
}

// ---- rows -------------------------------------------------------------------

int COddEvenRowTable::appendRow()
{
    const int row = m_store->appendRow();
    scheduleFlush();
    return row;
}

void COddEvenRowTable::setRowCount(int count)
{
    count = std::max(0, count);
    if (count < m_store->rowCount()) {
        if (m_editRow >= count)
            closeEditor(false);
        for (int row = count; row < m_store->rowCount(); ++row)
            for (int column = 0; column < columnCount(); ++column)
                dropCellContent(row, column, m_store->cell(row, column));
        m_model->reset([this, count] { m_store->setRowCount(count); });
        if (m_selectedRow >= count)
            m_selectedRow = -1;
        m_checkedRadios.clear();
        return;
    }
    m_store->setRowCount(count);
    scheduleFlush();
}

int COddEvenRowTable::rowCount() const
{
    return m_store->rowCount();
}

int COddEvenRowTable::shownRowCount() const
{
    return m_store->shownCount();
}

void COddEvenRowTable::clear()
{
    closeEditor(false);
    for (const auto &entry : m_cellWidgets) {
        // Later: the widget may be the one whose click led here.
        entry.second->hide();
        entry.second->deleteLater();
    }
    m_cellWidgets.clear();
    m_checkedRadios.clear();
    m_model->reset([this] { m_store->clearRows(); });
    m_selectedRow = -1;
    m_dirtyFirst = m_dirtyLast = -1;
    for (QString &text : m_statTexts)
        text.clear();
    m_statLine->update();
}

int COddEvenRowTable::rowID(int index) const
{
    return m_store->rowAt(index);
}

int COddEvenRowTable::rowIndex(int row) const
{
    return m_store->indexOf(row);
}

// ---- cells ------------------------------------------------------------------

CTableCell *COddEvenRowTable::writableCell(int row, int column)
{
    CTableCell *cell = m_store->cell(row, column);
    if (cell)
        dropCellContent(row, column, cell);
    return cell;
}

void COddEvenRowTable::dropCellContent(int row, int column, CTableCell *cell)
{
    if (!cell)
        return;
    cell->control.reset();
    if (cell->kind == CTableCell::WIDGET) {
        cell->kind = CTableCell::EMPTY;
        const auto it = m_cellWidgets.find(std::make_pair(row, column));
        if (it != m_cellWidgets.end()) {
            // Later: the widget may be the one whose click led here.
            it->second->hide();
            it->second->deleteLater();
            m_cellWidgets.erase(it);
        }
    }
}

void COddEvenRowTable::cellChanged(int row, bool update)
{
    if (!update)
        return;
    const int index = m_store->indexOf(row);
    if (index < 0 || index >= m_model->rowCount())
        return; // not on the view yet: the next publish shows it
    m_dirtyFirst = m_dirtyFirst < 0 ? index : std::min(m_dirtyFirst, index);
    m_dirtyLast = std::max(m_dirtyLast, index);
    scheduleFlush();
}

void COddEvenRowTable::setItemText(int row, int column, const QString &text, bool update)
{
    CTableCell *cell = writableCell(row, column);
    if (!cell)
        return;
    cell->kind = CTableCell::TEXT;
    cell->text = text;
    cellChanged(row, update);
}

void COddEvenRowTable::setItemDouble(int row, int column, double value, int decimals, int flags,
                                     bool update)
{
    CTableCell *cell = writableCell(row, column);
    if (!cell)
        return;
    cell->kind = CTableCell::DOUBLE;
    cell->text.clear();
    cell->number = value;
    cell->decimals = static_cast<signed char>(std::max(0, std::min(decimals, 12)));
    cell->flags = static_cast<unsigned short>(flags);
    cellChanged(row, update);
}

void COddEvenRowTable::setItemInt(int row, int column, long long value, int flags, bool update)
{
    CTableCell *cell = writableCell(row, column);
    if (!cell)
        return;
    cell->kind = CTableCell::INT;
    cell->text.clear();
    cell->number = static_cast<double>(value);
    cell->decimals = 0;
    cell->flags = static_cast<unsigned short>(flags);
    cellChanged(row, update);
}

QString COddEvenRowTable::itemText(int row, int column) const
{
    return m_store->displayText(row, column);
}

double COddEvenRowTable::itemDouble(int row, int column) const
{
    const CTableCell *cell = m_store->cell(row, column);
    if (!cell)
        return 0.0;
    if (cell->kind == CTableCell::DOUBLE || cell->kind == CTableCell::INT)
        return cell->number;
    if (cell->kind == CTableCell::TEXT) {
        bool ok = false;
        const double value = QString(cell->text).remove(QLatin1Char(',')).toDouble(&ok);
        return ok ? value : 0.0;
    }
    return 0.0;
}

void COddEvenRowTable::setItemWidget(int row, int column, CTableCellControl *control, int alignment,
                                     bool update)
{
    CTableCell *cell = writableCell(row, column);
    if (!cell) {
        delete control;
        return;
    }
    if (control) {
        control->setAlignment(alignment);
        control->placeAt(row, column);
    }
    cell->control.reset(control);
    cellChanged(row, update);
}

void COddEvenRowTable::setItemWidget(int row, int column, QWidget *widget, int alignment,
                                     bool update)
{
    CTableCell *cell = writableCell(row, column);
    if (!cell) {
        delete widget;
        return;
    }
    Q_UNUSED(alignment) // the widget fills its cell; its own layout aligns its content
    if (widget) {
        cell->kind = CTableCell::WIDGET;
        widget->setParent(m_view->viewport());
        widget->hide();
        m_cellWidgets[std::make_pair(row, column)] = widget;
    }
    cellChanged(row, update);
    scheduleFlush(); // places the widget
}

CTableCellControl *COddEvenRowTable::itemControl(int row, int column) const
{
    const CTableCell *cell = m_store->cell(row, column);
    return cell ? cell->control.get() : nullptr;
}

QWidget *COddEvenRowTable::itemWidget(int row, int column) const
{
    const auto it = m_cellWidgets.find(std::make_pair(row, column));
    return it == m_cellWidgets.end() ? nullptr : it->second;
}

void COddEvenRowTable::controlChanged(CTableCellControl *control)
{
    if (control)
        cellChanged(control->row(), true);
}

void COddEvenRowTable::radioChecked(CTableCellControl *control)
{
    if (!control)
        return;
    // Radio buttons of one column exclude each other; only the one checked
    // before needs unchecking, so the table remembers it per column.
    const int column = control->column();
    const auto it = m_checkedRadios.find(column);
    if (it != m_checkedRadios.end() && it->second != control->row()) {
        auto *before = dynamic_cast<CRadioButton *>(itemControl(it->second, column));
        if (before)
            before->setChecked(false);
    }
    m_checkedRadios[column] = control->row();
}

// ---- editing ---------------------------------------------------------------------

void COddEvenRowTable::setItemEditable(int row, int column, bool editable)
{
    CTableCell *cell = m_store->cell(row, column);
    if (cell)
        cell->editable = editable;
}

bool COddEvenRowTable::isItemEditable(int row, int column) const
{
    const CTableCell *cell = m_store->cell(row, column);
    return cell && cell->editable;
}

bool COddEvenRowTable::editItem(int row, int column)
{
    if (!isItemEditable(row, column))
        return false;
    const QString before = itemText(row, column);
    openEditor(row, column, before, nullptr, [this, row, column, before](const QString &text) {
        if (text == before)
            return;
        setItemText(row, column, text);
        CTableCellEdit edit { row, column, text };
        deliverTableEvent(EVT_CELL_EDITED, row, column, QString(), &edit);
    });
    return true;
}

void COddEvenRowTable::editCell(CTableCellControl *control, const QString &text,
                                QValidator *validator, std::function<void(const QString &)> done)
{
    if (control)
        openEditor(control->row(), control->column(), text, validator, std::move(done));
    else
        delete validator;
}

void COddEvenRowTable::openEditor(int row, int column, const QString &text, QValidator *validator,
                                  std::function<void(const QString &)> done)
{
    closeEditor(true);
    if (!m_store->isValidCell(row, column)) {
        delete validator;
        return;
    }
    flush(); // the row must be on the view to place the editor over it
    auto *editor = new QLineEdit(m_view->viewport());
    editor->setObjectName(QStringLiteral("xp_table_editor"));
    editor->setFrame(false);
    if (validator) {
        validator->setParent(editor);
        editor->setValidator(validator);
    }
    editor->setText(text);
    editor->selectAll();
    editor->installEventFilter(this);
    m_editor = editor;
    m_editRow = row;
    m_editColumn = column;
    m_editDone = std::move(done);
    m_view->scrollTo(m_model->index(m_store->indexOf(row), column));
    m_view->layoutCellWidgets();
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
}

QLineEdit *COddEvenRowTable::editor() const
{
    return m_editor.data();
}

void COddEvenRowTable::closeEditor(bool confirm)
{
    if (!m_editor)
        return;
    QLineEdit *editor = m_editor;
    const QString text = editor->text();
    std::function<void(const QString &)> done = std::move(m_editDone);
    m_editor = nullptr;
    m_editDone = nullptr;
    m_editRow = m_editColumn = -1;
    editor->removeEventFilter(this);
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    // Later: the editor may be the one whose key or focus change led here.
    editor->deleteLater();
    if (m_view && hadFocus)
        m_view->setFocus(Qt::OtherFocusReason);
    if (confirm && done)
        done(text);
}

bool COddEvenRowTable::eventFilter(QObject *watched, QEvent *event)
{
    if (m_editor && watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                closeEditor(key != Qt::Key_Escape);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            closeEditor(true);
        }
    }
    return CBaseWidget::eventFilter(watched, event);
}

bool COddEvenRowTable::deliverTableEvent(int event, int a, int b, const QString &text, void *data)
{
    return deliverEvent(event, a, b, text, data);
}

// ---- statistics and selection ----------------------------------------------------

void COddEvenRowTable::setStatText(int column, const QString &text)
{
    if (column < 0 || column >= m_statTexts.size())
        return;
    m_statTexts[column] = text;
    m_statDirty = true;
    scheduleFlush();
}

QString COddEvenRowTable::statText(int column) const
{
    return m_statTexts.value(column);
}

void COddEvenRowTable::setRowSelectEnable(int row, bool enable)
{
    m_store->setRowSelectable(row, enable);
}

bool COddEvenRowTable::isRowSelectEnable(int row) const
{
    return m_store->isRowSelectable(row);
}

int COddEvenRowTable::selectedRowIndex() const
{
    return m_store->indexOf(m_selectedRow);
}

void COddEvenRowTable::setSelectedRowIndex(int index)
{
    const int row = m_store->rowAt(index);
    if (row == m_selectedRow)
        return;
    const int before = m_store->indexOf(m_selectedRow);
    m_selectedRow = row;
    if (before >= 0 && before < m_model->rowCount())
        m_view->updateRows(before, before);
    if (index >= 0 && index < m_model->rowCount()) {
        m_view->updateRows(index, index);
        m_view->scrollTo(m_model->index(index, 0));
    } else if (row >= 0) {
        m_scrollToSelection = true;
        scheduleFlush();
    }
}

void COddEvenRowTable::notifyRowClicked(int row, int column)
{
    Q_EMIT rowClicked(row, column);
}

bool COddEvenRowTable::activateSelectedRow()
{
    if (m_selectedRow < 0)
        return false;
    for (int column = 0; column < columnCount(); ++column) {
        CTableCellControl *control = itemControl(m_selectedRow, column);
        if (control && control->isClickable()) {
            control->click();
            return true;
        }
    }
    Q_EMIT rowActivated(m_selectedRow);
    return true;
}

void COddEvenRowTable::setRowColorKey(int row, const QString &key, bool update)
{
    m_store->setRowColorKey(row, key);
    cellChanged(row, update);
}

void COddEvenRowTable::setColumnEmphasis(int column, const QString &colorKey)
{
    if (m_store->columnEmphasis(column) == colorKey)
        return;
    m_store->setColumnEmphasis(column, colorKey);
    Q_EMIT m_model->headerDataChanged(Qt::Horizontal, column, column);
    m_view->viewport()->update();
}

void COddEvenRowTable::setColumnBackgroundKey(int column, const QString &key)
{
    m_store->setColumnBackground(column, key);
    m_view->viewport()->update();
}

QString COddEvenRowTable::textColorKey(int row, int column) const
{
    return m_store->textColorKey(row, column);
}

void COddEvenRowTable::setColumnAlignment(int column, int alignment)
{
    m_store->setColumnAlignment(column, alignment);
    m_view->viewport()->update();
}

void COddEvenRowTable::setSelectionShownWithoutFocus(bool shown)
{
    m_selectionShownWithoutFocus = shown;
    m_view->viewport()->update();
}

// ---- sorting and filtering ----------------------------------------------------

void COddEvenRowTable::sortByColumn(int column, Qt::SortOrder order)
{
    flush();
    m_model->reset([this, column, order] { m_store->setSort(column, order); });
    QHeaderView *header = m_view->horizontalHeader();
    header->setSortIndicatorShown(m_store->sortColumn() >= 0);
    if (m_store->sortColumn() >= 0)
        header->setSortIndicator(column, order);
    m_scrollToSelection = true;
    scheduleFlush();
}

int COddEvenRowTable::sortColumn() const
{
    return m_store->sortColumn();
}

void COddEvenRowTable::setColumnFilterable(int column, bool filterable)
{
    if (column < 0 || column >= columnCount())
        return;
    if (filterable)
        m_filterable.insert(column);
    else
        m_filterable.remove(column);
}

bool COddEvenRowTable::isColumnFilterable(int column) const
{
    return m_filterable.contains(column);
}

void COddEvenRowTable::setColumnFilter(int column, const QSet<QString> &values)
{
    flush();
    m_model->reset([this, column, &values] { m_store->setColumnFilter(column, values); });
    m_view->layoutCellWidgets();
}

void COddEvenRowTable::clearFilter()
{
    if (!m_store->hasFilter())
        return;
    flush();
    m_model->reset([this] { m_store->clearFilters(); });
    m_view->layoutCellWidgets();
}

bool COddEvenRowTable::hasFilter() const
{
    return m_store->hasFilter();
}

// ---- flushing -----------------------------------------------------------------------

void COddEvenRowTable::scheduleFlush()
{
    if (m_flushPosted)
        return;
    m_flushPosted = true;
    QCoreApplication::postEvent(this, new QEvent(kFlushEvent), Qt::HighEventPriority);
}

bool COddEvenRowTable::event(QEvent *event)
{
    if (event->type() == kFlushEvent) {
        flush();
        return true;
    }
    return CBaseWidget::event(event);
}

void COddEvenRowTable::flush()
{
    m_flushPosted = false;
    const bool published = m_model->publish();
    if (published && isVisible())
        fitColumnsToFirstRows();
    if (published) {
        m_dirtyFirst = m_dirtyLast = -1;
        if (m_statDirty) {
            m_statDirty = false;
            m_statLine->update();
        }
    } else if (m_dirtyFirst >= 0 || m_statDirty) {
        // Rows pushed by the host change many times a frame: the screen shows
        // them at most once a frame, whatever the rate of changes.
        const qint64 since = m_sinceRepaint.isValid() ? m_sinceRepaint.elapsed() : kFrameMs;
        if (since < kFrameMs) {
            if (!m_frameTimer->isActive())
                m_frameTimer->start(int(kFrameMs - since));
        } else {
            m_sinceRepaint.restart();
            // The view paints from the row store, so a repaint of the rows is
            // the whole change; a model signal over a range would repaint the
            // whole view.
            if (m_dirtyFirst >= 0)
                m_view->updateRows(m_dirtyFirst, m_dirtyLast);
            m_dirtyFirst = m_dirtyLast = -1;
            if (m_statDirty)
                m_statLine->update();
            m_statDirty = false;
        }
    }
    if (m_scrollToSelection) {
        m_scrollToSelection = false;
        const int index = selectedRowIndex();
        if (index >= 0 && index < m_model->rowCount())
            m_view->scrollTo(m_model->index(index, 0));
    }
    if (!m_cellWidgets.empty())
        m_view->layoutCellWidgets();
}

// ---- copy and export ----------------------------------------------------------

QString COddEvenRowTable::rowsText(bool selectedOnly) const
{
    const_cast<COddEvenRowTable *>(this)->flush();
    QStringList lines;
    QStringList fields;
    for (int column = 0; column < columnCount(); ++column)
        if (!isColumnHidden(column))
            fields << headerText(column);
    lines << fields.join(QLatin1Char('\t'));
    auto addRow = [&](int row) {
        fields.clear();
        for (int column = 0; column < columnCount(); ++column)
            if (!isColumnHidden(column))
                fields << m_store->displayText(row, column);
        lines << fields.join(QLatin1Char('\t'));
    };
    if (selectedOnly) {
        if (m_selectedRow < 0 || m_store->indexOf(m_selectedRow) < 0)
            return QString();
        addRow(m_selectedRow);
    } else {
        for (int index = 0; index < shownRowCount(); ++index)
            addRow(rowID(index));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void COddEvenRowTable::copyRows(bool selectedOnly) const
{
    const QString text = rowsText(selectedOnly);
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

QByteArray COddEvenRowTable::csvBytes() const
{
    const_cast<COddEvenRowTable *>(this)->flush();
    QString csv;
    QStringList fields;
    for (int column = 0; column < columnCount(); ++column)
        if (!isColumnHidden(column))
            fields << csvField(headerText(column), false);
    csv += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    for (int index = 0; index < shownRowCount(); ++index) {
        const int row = rowID(index);
        fields.clear();
        for (int column = 0; column < columnCount(); ++column) {
            if (isColumnHidden(column))
                continue;
            const CTableCell *cell = m_store->cell(row, column);
            fields << csvField(m_store->displayText(row, column),
                               cell && cell->kind == CTableCell::TEXT && !cell->control);
        }
        csv += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    }
    // A spreadsheet on a Chinese-language desktop opens CSV files as GBK.
    QTextCodec *gbk = QTextCodec::codecForName("GBK");
    return gbk ? gbk->fromUnicode(csv) : csv.toUtf8();
}

bool COddEvenRowTable::exportCsv(const QString &path, QString *error) const
{
    QSaveFile file(path);
    const QByteArray bytes = csvBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

void COddEvenRowTable::exportWithDialog()
{
    const QString path = getSaveFileName(this, QStringLiteral("导出"), QDir::homePath(),
                                         QStringLiteral("CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportCsv(path, &error))
        CMessageBox::critical(
            0, this, QStringLiteral("导出失败"),
            QStringLiteral("无法写入 %1: %2").arg(QDir::toNativeSeparators(path), error));
}

// ---- menus --------------------------------------------------------------------

void COddEvenRowTable::showRowMenu(const QPoint &globalPos, const QModelIndex &index)
{
    if (index.isValid() && m_store->isRowSelectable(rowID(index.row())))
        setSelectedRowIndex(index.row());
    QMenu menu(this);
    if (m_flag & TF_COPY)
        menu.addAction(QStringLiteral("复制选中行"), this, [this] { copyRows(true); })
            ->setEnabled(selectedRowIndex() >= 0);
    if (m_flag & TF_COPY_ALL)
        menu.addAction(QStringLiteral("复制全部"), this, [this] { copyRows(false); })
            ->setEnabled(shownRowCount() > 0);
    if (m_flag & TF_EXPORT)
        menu.addAction(QStringLiteral("导出CSV..."), this, [this] { exportWithDialog(); })
            ->setEnabled(shownRowCount() > 0);
    if ((m_flag & TF_FILTER) && hasFilter())
        menu.addAction(QStringLiteral("清除筛选"), this, [this] { clearFilter(); });
    if (m_flag & TF_FIT_COLUMNS)
        menu.addAction(QStringLiteral("自适应列宽"), this,
                       [this] { adjustVisibleRowsColumnWidth(); });
    if (!menu.isEmpty())
        menu.exec(globalPos);
}

void COddEvenRowTable::showHeaderMenu(const QPoint &pos)
{
    QHeaderView *header = m_view->horizontalHeader();
    const int column = header->logicalIndexAt(pos);
    const QPoint globalPos = header->mapToGlobal(pos);
    QMenu menu(this);
    if ((m_flag & TF_SORT) && column >= 0) {
        menu.addAction(QStringLiteral("升序"), this,
                       [this, column] { sortByColumn(column, Qt::AscendingOrder); });
        menu.addAction(QStringLiteral("降序"), this,
                       [this, column] { sortByColumn(column, Qt::DescendingOrder); });
        if (sortColumn() >= 0)
            menu.addAction(QStringLiteral("取消排序"), this,
                           [this] { sortByColumn(-1, Qt::AscendingOrder); });
    }
    if ((m_flag & TF_FILTER) && column >= 0 && isColumnFilterable(column)) {
        menu.addSeparator();
        menu.addAction(QStringLiteral("筛选..."), this,
                       [this, column, globalPos] { showFilterMenu(column, globalPos); });
        if (!m_store->columnFilter(column).isEmpty())
            menu.addAction(QStringLiteral("清除本列筛选"), this,
                           [this, column] { setColumnFilter(column, QSet<QString>()); });
    }
    if (m_flag & TF_COLUMN_VISIBILITY) {
        QMenu *columns = menu.addMenu(QStringLiteral("显示列"));
        for (int c = 0; c < columnCount(); ++c) {
            QAction *action = columns->addAction(headerText(c));
            action->setCheckable(true);
            action->setChecked(!isColumnHidden(c));
            connect(action, &QAction::toggled, this, [this, c](bool on) {
                // The last shown column stays: a table without columns cannot get them back.
                int shown = 0;
                for (int i = 0; i < columnCount(); ++i)
                    shown += isColumnHidden(i) ? 0 : 1;
                if (!on && shown <= 1)
                    return;
                setColumnHidden(c, !on);
                saveLayout();
            });
        }
    }
    if (m_flag & TF_RESET_LAYOUT)
        menu.addAction(QStringLiteral("恢复默认列"), this, [this] { resetLayout(); });
    if (!menu.isEmpty())
        menu.exec(globalPos);
}

void COddEvenRowTable::showFilterMenu(int column, const QPoint &globalPos)
{
    flush();
    // The values of the column over every row, not only the shown ones, so
    // that a value filtered away can be chosen again.
    std::map<QString, int> values;
    for (int row = 0; row < rowCount() && int(values.size()) <= kMaxFilterValues; ++row)
        ++values[m_store->displayText(row, column)];
    QSet<QString> chosen = m_store->columnFilter(column);
    QMenu menu(this);
    menu.addAction(QStringLiteral("全部"), this,
                   [this, column] { setColumnFilter(column, QSet<QString>()); });
    menu.addSeparator();
    for (const auto &value : values) {
        QAction *action
            = menu.addAction(QStringLiteral("%1 (%2)")
                                 .arg(value.first.isEmpty() ? QStringLiteral("(空)") : value.first)
                                 .arg(value.second));
        action->setCheckable(true);
        action->setChecked(chosen.isEmpty() || chosen.contains(value.first));
        const QString text = value.first;
        connect(action, &QAction::triggered, this, [this, column, text](bool on) {
            QSet<QString> allowed = m_store->columnFilter(column);
            if (allowed.isEmpty())
                for (int row = 0; row < rowCount(); ++row)
                    allowed.insert(m_store->displayText(row, column));
            if (on)
                allowed.insert(text);
            else
                allowed.remove(text);
            setColumnFilter(column, allowed);
        });
    }
    menu.exec(globalPos);
}

// ---- column layout kept across restarts ------------------------------------------------

QString COddEvenRowTable::layoutKey() const
{
    if (!m_layoutKey.isEmpty())
        return m_layoutKey;
    QStringList names;
    for (const QWidget *w = parentWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty())
            names.prepend(w->objectName());
    names << QString::number(m_style) << QString::number(columnCount());
    return names.join(QLatin1Char('/'));
}

void COddEvenRowTable::showEvent(QShowEvent *event)
{
    CBaseWidget::showEvent(event);
    if (!m_layoutRestored)
        restoreLayout();
    fitColumnsToFirstRows();
}

void COddEvenRowTable::fitColumnsToFirstRows()
{
    // The first rows the trader sees give the columns their widths, except
    // where the owner or the trader's saved layout set one. A hidden table
    // waits until it is shown, so that a panel's many hidden tables measure
    // nothing while they fill.
    if (m_columnsFitted || m_model->rowCount() == 0)
        return;
    m_columnsFitted = true;
    // Widths the table works out for itself are not the trader's layout.
    const bool restoring = m_restoringLayout;
    m_restoringLayout = true;
    fitColumns(false);
    m_restoringLayout = restoring;
}

void COddEvenRowTable::restoreLayout()
{
    m_layoutRestored = true;
    if (!(m_flag & TF_SAVE_LAYOUT) || columnCount() == 0)
        return;
    const QStringList layout = loadTableLayout(layoutKey());
    if (layout.size() != columnCount())
        return;
    m_restoringLayout = true;
    for (int column = 0; column < layout.size(); ++column) {
        const QStringList parts = layout.at(column).split(QLatin1Char(':'));
        bool ok = false;
        const int width = parts.value(0).toInt(&ok);
        if (ok && width > 0)
            m_view->setColumnWidth(column, width);
        m_view->setColumnHidden(column, parts.value(1) == QLatin1String("hidden"));
    }
    m_restoringLayout = false;
    m_statLine->update();
}

void COddEvenRowTable::saveLayout()
{
    // Widths set while building or restoring are the table's own, not the trader's.
    if (m_restoringLayout || !m_layoutRestored || !(m_flag & TF_SAVE_LAYOUT) || !isVisible())
        return;
    QStringList layout;
    for (int column = 0; column < columnCount(); ++column)
        layout << (isColumnHidden(column)
                       ? QStringLiteral("%1:hidden").arg(m_view->columnWidth(column))
                       : QString::number(m_view->columnWidth(column)));
    saveTableLayout(layoutKey(), layout);
}

void COddEvenRowTable::resetLayout()
{
    removeTableLayout(layoutKey());
    m_restoringLayout = true;
    for (int column = 0; column < columnCount(); ++column) {
        m_view->setColumnHidden(column, false);
        const int width = m_defaultWidths.value(column, -1);
        m_view->setColumnWidth(
            column, width > 0 ? width : m_view->horizontalHeader()->defaultSectionSize());
    }
    m_restoringLayout = false;
    m_statLine->update();
}

} // namespace XP
