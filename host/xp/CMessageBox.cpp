#include "xp/CMessageBox.h"

#include "xp/IDialogResponder.h"

namespace XP {

QMessageBox::StandardButton CMessageBox::question(int, QWidget *parent, const QString &title,
                                                  const QString &text,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton defaultButton,
                                                  bool richText, const QPixmap &icon)
{
    return dialogResponder()->question(parent, title, text, buttons, defaultButton, icon, richText);
}

QMessageBox::StandardButton CMessageBox::critical(int, QWidget *parent, const QString &title,
                                                  const QString &text,
                                                  QMessageBox::StandardButtons buttons)
{
    return dialogResponder()->critical(parent, title, text, buttons, QMessageBox::NoButton);
}

} // namespace XP
