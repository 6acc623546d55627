#pragma once

#include <QTableView>

namespace XP {

class COddEvenRowTable;
class CTableRowStore;

// The view of a toolkit table. It paints every cell itself (odd and even row
// grounds, the selected row, numbers right-aligned, cell controls), keeps the
// selection in the table's row store rather than in a selection model, and
// turns clicks on cell controls into their events.
class CTableView final : public QTableView
{
    Q_OBJECT
public:
    CTableView(COddEvenRowTable *table, CTableRowStore *store, QWidget *parent);
    ~CTableView() override;

    // Places the real widgets of cells over their cells (hiding those of rows
    // not on screen); called after rows, sizes or the scroll position change.
    void layoutCellWidgets();
    // Repaints the rows between two display indices, where they are on screen.
    void updateRows(int firstIndex, int lastIndex);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void updateGeometries() override;

private:
    void setHovered(const QModelIndex &index);
    void moveSelection(int step);

    COddEvenRowTable *m_table; // not owned: the table owns the view
    CTableRowStore *m_store; // not owned
    QPersistentModelIndex m_hovered;
    bool m_geometriesPending = false; // asked for while hidden
};

} // namespace XP
