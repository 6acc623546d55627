#pragma once

#include <QMessageBox>
#include <QPixmap>

namespace XP {

// The terminal's message boxes. Both go through the installed dialog
// responder (IDialogResponder.h), so that a test never waits for a person.
//
// `richText`: the text is HTML (plain text otherwise, so that names with '<'
// show as typed). `style` selects the look of the buttons; the terminal draws all boxes in
// the application style, so any value is accepted (0 = default).
class CMessageBox
{
public:
    static QMessageBox::StandardButton
    question(int style, QWidget *parent, const QString &title, const QString &text,
             QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
             QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
             bool richText = false, const QPixmap &icon = QPixmap());

    static QMessageBox::StandardButton
    critical(int style, QWidget *parent, const QString &title, const QString &text,
             QMessageBox::StandardButtons buttons = QMessageBox::Ok);

private:
    CMessageBox() = delete;
};

} // namespace XP
