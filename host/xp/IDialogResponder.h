#pragma once

#include <QMessageBox>
#include <QPixmap>
#include <QString>

class QDialog;
class QWidget;

namespace XP {

// Answers the terminal's modal questions. Every message box, open-file dialog
// and CCommonDialog::exec of the panels goes through the installed responder:
// in the terminal a person answers (CDefaultDialogResponder); in tests a
// CScriptedDialogResponder answers from a script without showing anything.
//
// Message texts are plain text unless `richText` says they are HTML.
class IDialogResponder
{
public:
    virtual ~IDialogResponder() = default;

    virtual QMessageBox::StandardButton
    question(QWidget *parent, const QString &title, const QString &text,
             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
             const QPixmap &icon = QPixmap(), bool richText = false)
        = 0;
    virtual QMessageBox::StandardButton
    critical(QWidget *parent, const QString &title, const QString &text,
             QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
        = 0;
    // The chosen file, or an empty text when the dialog was cancelled.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
        = 0;
    // The file to write, or an empty text when the dialog was cancelled.
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
        = 0;
    // Runs `dialog` modally; returns its result code (QDialog::Accepted, Rejected, ...).
    virtual int execDialog(QDialog *dialog) = 0;
};

// Installs `responder` (not owned; it must outlive its installation). Null
// restores the default responder, which shows real dialogs.
void setDialogResponder(IDialogResponder *responder);
IDialogResponder *dialogResponder();

// The open-file dialog of the panels, through the responder.
QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter);

// The save-file dialog of the panels, through the responder.
QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                        const QString &filter);

} // namespace XP
