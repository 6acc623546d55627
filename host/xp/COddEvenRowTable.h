#pragma once

#include "xp/CBaseWidget.h"
#include "xp/IBaseTable.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSet>
#include <QStringList>

#include <functional>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class QLineEdit;
class QTimer;
class QModelIndex;
class QValidator;

namespace XP {

struct CTableCell;
class CTableModel;
class CTableRowStore;
class CTableStatLine;
class CTableView;

// Behaviour flags of a toolkit table. The menu flags given at construction
// choose what the trader's menus offer (0x1FF: everything); flag() adds
// TF_SAVE_LAYOUT by default.
enum ETableFlag {
    TF_SORT = 0x001, // a click on a header sorts by that column
    TF_COPY = 0x002, // copy the selected row (menu, Ctrl+C)
    TF_COPY_ALL = 0x004, // copy every shown row
    TF_EXPORT = 0x008, // export the shown rows to a CSV file (GBK)
    TF_FILTER = 0x010, // per-column filters on the filterable columns
    TF_COLUMN_VISIBILITY = 0x020, // show and hide columns from the header menu
    TF_FIT_COLUMNS = 0x040, // fit the column widths to the rows on screen
    TF_STAT_LINE = 0x080, // the statistics line under the rows
    TF_RESET_LAYOUT = 0x100, // menu: back to the table's own columns
    TF_SAVE_LAYOUT = 0x200, // column widths and hidden columns survive a restart
};

// The terminal's table with alternating row grounds: rows appended and filled
// cell by cell, a statistics line under them, a single selected row, cell
// controls (radio buttons, clickable texts) painted by the table, real widgets
// in the few cells that need them, and what a trader expects behind the menus
// (sorting, copying, CSV export, column filters, hiding columns, widths kept
// across restarts).
//
// Rows are addressed by the id appendRow() returns (0, 1, ... after clear());
// the display index of a row changes with sorting and filtering (rowIndex,
// rowID). Changes made in one go (a whole fill) reach the screen together at
// the next turn of the event loop, or at once with flush().
class COddEvenRowTable : public CBaseWidget, public IBaseTable
{
    Q_OBJECT
public:
    COddEvenRowTable(int style, QWidget *parent, int menuFlags);
    ~COddEvenRowTable() override;

    int style() const { return m_style; }
    int menuFlags() const { return m_menuFlags; }
    int flag() const { return m_flag; }
    void setFlag(int flag);

    // Columns.
    void clearColumns();
    void setColumnCount(int count);
    int columnCount() const override;
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    void setHeaderText(int column, const QString &text);
    void setHeaderTexts(const QStringList &texts);
    QString headerText(int column) const;
    void setColumnHidden(int column, bool hidden);
    bool isColumnHidden(int column) const;
    // Fits each shown column to its header and the rows on screen.
    void adjustVisibleRowsColumnWidth();

    // Rows.
    int appendRow();
    void setRowCount(int count);
    int rowCount() const override;
    // Rows shown after filtering.
    int shownRowCount() const;
    // Removes every row, the selection and the statistics texts; columns stay.
    void clear();
    int rowID(int index) const override;
    int rowIndex(int row) const override;

    // Cells. `update` false leaves the repaint to the next change that asks for one.
    void setItemText(int row, int column, const QString &text, bool update = true);
    void setItemDouble(int row, int column, double value, int decimals, int flags,
                       bool update = true);
    void setItemInt(int row, int column, long long value, int flags, bool update = true);
    QString itemText(int row, int column) const;
    // The number of a number cell, a text cell read as a number, else 0.
    double itemDouble(int row, int column) const;
    // The table takes the control and paints it in the cell.
    void setItemWidget(int row, int column, CTableCellControl *control, int alignment,
                       bool update = true);
    // A real widget over the cell (buttons, combo boxes); the table takes it.
    void setItemWidget(int row, int column, QWidget *widget, int alignment, bool update = true);
    CTableCellControl *itemControl(int row, int column) const;
    QWidget *itemWidget(int row, int column) const;

    // In-place editing. An editable cell opens an editor on a double click or
    // F2 (its row selected); a changed text is stored in the cell and
    // delivered as EVT_CELL_EDITED (52) with a = row, b = column and a
    // CTableCellEdit as data.
    void setItemEditable(int row, int column, bool editable);
    bool isItemEditable(int row, int column) const;
    // Opens the editor of an editable cell; false when the cell is not editable.
    bool editItem(int row, int column);
    // Opens an editor over any cell; `done` gets the confirmed text. One
    // editor at a time: opening another confirms the one open.
    void openEditor(int row, int column, const QString &text, QValidator *validator,
                    std::function<void(const QString &)> done);
    // The open editor, null when none.
    QLineEdit *editor() const;
    int editorRow() const { return m_editRow; }
    int editorColumn() const { return m_editColumn; }
    // Closes the open editor, confirming its text or dropping it.
    void closeEditor(bool confirm);

    // Statistics line.
    void setStatText(int column, const QString &text);
    QString statText(int column) const;

    // Selection: one row at most; rows whose selection is disabled cannot be
    // picked by the trader but may be selected by the owner.
    void setRowSelectEnable(int row, bool enable);
    bool isRowSelectEnable(int row) const;
    int selectedRow() const { return m_selectedRow; }
    int selectedRowIndex() const;
    void setSelectedRowIndex(int index);

    // Sorting and filtering.
    void sortByColumn(int column, Qt::SortOrder order);
    int sortColumn() const;
    void setColumnFilterable(int column, bool filterable);
    bool isColumnFilterable(int column) const;
    // Shows only rows whose text in `column` is one of `values` (empty: all).
    void setColumnFilter(int column, const QSet<QString> &values);
    void clearFilter();
    bool hasFilter() const;

    // Copy and export, of the shown columns: tab-separated text with the
    // header line, and CSV in GBK for a spreadsheet.
    QString rowsText(bool selectedOnly) const;
    void copyRows(bool selectedOnly) const;
    bool exportCsv(const QString &path, QString *error) const;
    QByteArray csvBytes() const;

    // Brings pending row changes to the view now.
    void flush();
    CTableView *view() const { return m_view; }
    // The name under which column widths are kept; built from the owners'
    // object names when not set.
    QString layoutKey() const;
    void setLayoutKey(const QString &key) { m_layoutKey = key; }

    // IBaseTable
    void controlChanged(CTableCellControl *control) override;
    void radioChecked(CTableCellControl *control) override;
    bool deliverTableEvent(int event, int a, int b, const QString &text, void *data) override;
    void editCell(CTableCellControl *control, const QString &text, QValidator *validator,
                  std::function<void(const QString &)> done) override;

    // Row text colours and emphasised columns (theme colour keys).
    void setRowColorKey(int row, const QString &key, bool update = true);
    void setColumnEmphasis(int column, const QString &colorKey);
    // A theme colour key for the ground of a column's cells.
    void setColumnBackgroundKey(int column, const QString &key);
    // Repaints a row whose cells show state kept outside them (a delegate's).
    void updateRow(int row) { cellChanged(row, true); }
    void setColumnAlignment(int column, int alignment);
    // The theme colour key a cell's text is drawn in.
    QString textColorKey(int row, int column) const;
    // Lists whose rows are ticked rather than selected show the selected row
    // only while the table has the focus (a keyboard cursor).
    void setSelectionShownWithoutFocus(bool shown);
    bool isSelectionShownWithoutFocus() const { return m_selectionShownWithoutFocus; }

    // For the view.
    const std::map<std::pair<int, int>, QWidget *> &cellWidgets() const { return m_cellWidgets; }
    void notifyRowClicked(int row, int column);
    // Space or Enter on the selected row: clicks its first clickable control,
    // else announces rowActivated. False without a selected row.
    bool activateSelectedRow();

Q_SIGNALS:
    // A left click on a row outside its clickable controls.
    void rowClicked(int row, int column);
    void rowActivated(int row);

public:
    void showRowMenu(const QPoint &globalPos, const QModelIndex &index);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void scheduleFlush();
    // Fits the columns to the rows on screen; `all` false leaves the columns
    // whose width the owner or the saved layout gave.
    void fitColumns(bool all);
    void fitColumnsToFirstRows();
    void cellChanged(int row, bool update);
    CTableCell *writableCell(int row, int column);
    void dropCellContent(int row, int column, CTableCell *cell);
    void showHeaderMenu(const QPoint &pos);
    void showFilterMenu(int column, const QPoint &globalPos);
    void exportWithDialog();
    void restoreLayout();
    void saveLayout();
    void resetLayout();
    void updateStatLineVisibility();

    const int m_style;
    const int m_menuFlags;
    int m_flag;
    std::unique_ptr<CTableRowStore> m_store;
    CTableModel *m_model = nullptr; // owned through Qt parentage
    CTableView *m_view = nullptr; // owned through Qt parentage
    CTableStatLine *m_statLine = nullptr; // owned through Qt parentage
    QStringList m_statTexts;
    QSet<int> m_filterable;
    QList<int> m_defaultWidths; // -1: the view's default
    std::map<std::pair<int, int>, QWidget *>
        m_cellWidgets; // (row, column): children of the viewport
    std::map<int, int> m_checkedRadios; // column -> row of its checked radio button
    int m_selectedRow = -1;
    int m_dirtyFirst = -1; // display indices of changed published rows
    int m_dirtyLast = -1;
    bool m_flushPosted = false;
    bool m_statDirty = false;
    QElapsedTimer m_sinceRepaint; // since changed rows were last repainted
    QTimer *m_frameTimer = nullptr; // child: repaints what waited for the next frame
    bool m_scrollToSelection = false;
    bool m_layoutRestored = false;
    bool m_columnsFitted = false;
    bool m_selectionShownWithoutFocus = true;
    bool m_restoringLayout = false;
    QString m_layoutKey;
    QPointer<QLineEdit> m_editor; // child of the view's viewport
    int m_editRow = -1;
    int m_editColumn = -1;
    std::function<void(const QString &)> m_editDone;
};

} // namespace XP
