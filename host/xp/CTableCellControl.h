#pragma once

#include <QRect>
#include <QString>

class QPainter;
class QWidget;

namespace XP {

class IBaseTable;

// A control that a table row carries in one of its cells (the choice radio
// button of a contract row, the clickable count of its pledged bonds). It is
// not a widget: the table owns it, paints it in its cell and hands it the
// clicks that land there, so ten thousand rows cost ten thousand small
// objects instead of ten thousand windows.
class CTableCellControl
{
public:
    CTableCellControl(int id, IBaseTable *table);
    virtual ~CTableCellControl();
    CTableCellControl(const CTableCellControl &) = delete;
    CTableCellControl &operator=(const CTableCellControl &) = delete;

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }
    IBaseTable *table() const { return m_table; }

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Alignment of the control inside its cell (Qt::Alignment bits).
    int alignment() const { return m_alignment; }
    void setAlignment(int alignment) { m_alignment = alignment; }

    // The text that copying and export give for the cell.
    virtual QString text() const = 0;
    // Paints the control inside `cell`; `view` gives the style and palette.
    virtual void paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const = 0;
    // A left click on the cell of an enabled control; delivers its event.
    virtual void click() = 0;
    // A left click at `pos` inside `cell`, both in the coordinates of
    // `surface`, the widget the table paints on. Controls made of several
    // parts (a row of buttons) act on the part under the pointer, and pop-ups
    // open at the cell; the others just click().
    virtual void clickAt(QWidget *surface, const QPoint &pos, const QRect &cell);
    // True when the mouse over the cell shows a pointing hand.
    virtual bool isClickable() const { return m_enabled; }

    // Where the table placed the control; -1 while it is not in a cell.
    int row() const { return m_row; }
    int column() const { return m_column; }
    void placeAt(int row, int column)
    {
        m_row = row;
        m_column = column;
    }

protected:
    // Asks the table to repaint the control's cell.
    void changed();
    QRect alignedRect(const QSize &size, const QRect &cell) const;

private:
    int m_id;
    IBaseTable *m_table; // not owned: the table owns the control
    bool m_enabled = true;
    int m_alignment = 0x84; // Qt::AlignLeft | Qt::AlignVCenter
    int m_row = -1;
    int m_column = -1;
};

} // namespace XP
