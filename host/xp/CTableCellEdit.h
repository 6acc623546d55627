#pragma once

#include <QString>

namespace XP {

// What a table hands its owner with EVT_CELL_EDITED (52): the row id, the
// column and the text the trader entered. Valid only during the delivery.
struct CTableCellEdit
{
    int row;
    int column;
    QString text;
};

} // namespace XP
