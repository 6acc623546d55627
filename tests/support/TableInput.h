#pragma once

#include "UserInput.h"

#include "xp/COddEvenRowTable.h"
#include "xp/CTableView.h"

// The rectangle, in the view's viewport, of the cell shown at (index, column).
inline QRect cellRect(const XP::COddEvenRowTable &table, int index, int column)
{
    XP::CTableView *view = table.view();
    return view->visualRect(view->model()->index(index, column));
}

// A left click at the centre of the cell shown at (index, column), pending rows shown first.
inline void clickCell(XP::COddEvenRowTable &table, int index, int column)
{
    table.flush();
    clickAt(table.view()->viewport(), cellRect(table, index, column).center());
}

// A left click at the centre of the cell of row id `row`, wherever it shows.
inline void clickRowCell(XP::COddEvenRowTable &table, int row, int column)
{
    table.flush();
    clickCell(table, table.rowIndex(row), column);
}

inline void doubleClickCell(XP::COddEvenRowTable &table, int index, int column)
{
    table.flush();
    QMouseEvent press(QEvent::MouseButtonDblClick, cellRect(table, index, column).center(),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table.view()->viewport(), &press);
}
