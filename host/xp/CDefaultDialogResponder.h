#pragma once

#include "xp/IDialogResponder.h"

namespace XP {

// Shows real Qt dialogs and waits for the person at the terminal.
class CDefaultDialogResponder : public IDialogResponder
{
public:
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton,
                                         const QPixmap &icon, bool richText) override;
    QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                         QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    int execDialog(QDialog *dialog) override;
};

} // namespace XP
