#include "xp/CDefaultDialogResponder.h"

#include <QDialog>
#include <QFileDialog>
#include <QPushButton>
#include <utility>

namespace XP {

namespace {

QMessageBox::StandardButton runBox(QMessageBox::Icon kind, QWidget *parent, const QString &title,
                                   const QString &text, QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton, const QPixmap &icon,
                                   bool richText)
{
    QMessageBox box(kind, title, text, buttons, parent);
    box.setTextFormat(richText ? Qt::RichText : Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    if (!icon.isNull())
        box.setIconPixmap(icon);
    // The terminal speaks Chinese whatever the system locale says.
    const std::pair<QMessageBox::StandardButton, const char *> labels[]
        = { { QMessageBox::Yes, "是" },
            { QMessageBox::No, "否" },
            { QMessageBox::Ok, "确定" },
            { QMessageBox::Cancel, "取消" } };
    for (const auto &label : labels) {
        if (QAbstractButton *b = box.button(label.first))
            b->setText(QString::fromUtf8(label.second));
    }
    if (box.exec() == -1)
        return QMessageBox::Cancel;
    return box.standardButton(box.clickedButton());
}

} // namespace

QMessageBox::StandardButton
CDefaultDialogResponder::question(QWidget *parent, const QString &title, const QString &text,
                                  QMessageBox::StandardButtons buttons,
                                  QMessageBox::StandardButton defaultButton, const QPixmap &icon,
                                  bool richText)
{
    return runBox(QMessageBox::Question, parent, title, text, buttons, defaultButton, icon,
                  richText);
}

QMessageBox::StandardButton
CDefaultDialogResponder::critical(QWidget *parent, const QString &title, const QString &text,
                                  QMessageBox::StandardButtons buttons,
                                  QMessageBox::StandardButton defaultButton)
{
    return runBox(QMessageBox::Critical, parent, title, text, buttons, defaultButton, QPixmap(),
                  false);
}

QString CDefaultDialogResponder::getSaveFileName(QWidget *parent, const QString &caption,
                                                 const QString &dir, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString CDefaultDialogResponder::getOpenFileName(QWidget *parent, const QString &caption,
                                                 const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

int CDefaultDialogResponder::execDialog(QDialog *dialog)
{
    // Qualified: CCommonDialog::exec() comes here, and must not come back.
    return dialog ? dialog->QDialog::exec() : int(QDialog::Rejected);
}

} // namespace XP
