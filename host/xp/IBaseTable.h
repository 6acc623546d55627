#pragma once

#include <QString>

#include <functional>

class QValidator;

namespace XP {

class CTableCellControl;

// What every table of the toolkit offers its cell controls and owners: the
// rows are addressed by the id appendRow() gave them.
class IBaseTable
{
public:
    virtual ~IBaseTable() = default;

    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    // The id of the row shown at `index` (display order), -1 outside.
    virtual int rowID(int index) const = 0;
    // The display index of the row `row`, -1 when it is not shown.
    virtual int rowIndex(int row) const = 0;

    // A cell control's state changed: its cell is repainted.
    virtual void controlChanged(CTableCellControl *control) = 0;
    // A radio control of `column` was checked: the others of the column are unchecked.
    virtual void radioChecked(CTableCellControl *control) = 0;
    // Opens an editor over the cell of `control` with `text`; `done` gets the
    // entered text when the trader confirms (Enter, or leaving the editor),
    // never when he cancels (Escape) or the row goes. The editor takes the
    // validator, which may be null.
    virtual void editCell(CTableCellControl *control, const QString &text, QValidator *validator,
                          std::function<void(const QString &)> done)
        = 0;
    // Delivers a widget event from the table to its owners.
    virtual bool deliverTableEvent(int event, int a, int b, const QString &text, void *data) = 0;
};

} // namespace XP
