#include "xp/CScriptedDialogResponder.h"

#include <QDialog>

namespace XP {

CScriptedDialogResponder::CScriptedDialogResponder(bool install)
    : m_installed(install)
{
    if (install) {
        m_previous = dialogResponder();
        setDialogResponder(this);
    }
}

CScriptedDialogResponder::~CScriptedDialogResponder()
{
    if (m_installed && dialogResponder() == this)
        setDialogResponder(m_previous);
}

int CScriptedDialogResponder::askedCount(EKind kind) const
{
    int n = 0;
    for (const SAsked &a : m_asked)
        n += a.kind == kind ? 1 : 0;
    return n;
}

CScriptedDialogResponder::SAsked CScriptedDialogResponder::lastMessage() const
{
    for (auto it = m_asked.crbegin(); it != m_asked.crend(); ++it) {
        if (it->kind == ASK_QUESTION || it->kind == ASK_CRITICAL)
            return *it;
    }
    return SAsked { ASK_QUESTION, QString(), QString(), QMessageBox::NoButton };
}

void CScriptedDialogResponder::clear()
{
    m_buttons.clear();
    m_files.clear();
    m_results.clear();
    m_asked.clear();
}

QMessageBox::StandardButton CScriptedDialogResponder::question(QWidget *, const QString &title,
                                                               const QString &text,
                                                               QMessageBox::StandardButtons buttons,
                                                               QMessageBox::StandardButton,
                                                               const QPixmap &, bool)
{
    m_asked.append({ ASK_QUESTION, title, text, buttons });
    if (!m_buttons.isEmpty())
        return m_buttons.dequeue();
    if (buttons & QMessageBox::No)
        return QMessageBox::No;
    if (buttons & QMessageBox::Cancel)
        return QMessageBox::Cancel;
    return QMessageBox::NoButton;
}

QMessageBox::StandardButton
CScriptedDialogResponder::critical(QWidget *, const QString &title, const QString &text,
                                   QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton)
{
    m_asked.append({ ASK_CRITICAL, title, text, buttons });
    if (!m_buttons.isEmpty())
        return m_buttons.dequeue();
    if (buttons & QMessageBox::Ok)
        return QMessageBox::Ok;
    return defaultButton;
}

QString CScriptedDialogResponder::getOpenFileName(QWidget *, const QString &caption,
                                                  const QString &, const QString &filter)
{
    m_asked.append({ ASK_OPEN_FILE, caption, filter, QMessageBox::NoButton });
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

QString CScriptedDialogResponder::getSaveFileName(QWidget *, const QString &caption,
                                                  const QString &, const QString &filter)
{
    m_asked.append({ ASK_SAVE_FILE, caption, filter, QMessageBox::NoButton });
    return m_files.isEmpty() ? QString() : m_files.dequeue();
}

int CScriptedDialogResponder::execDialog(QDialog *dialog)
{
    m_asked.append({ ASK_DIALOG, dialog ? dialog->windowTitle() : QString(), QString(),
                     QMessageBox::NoButton });
    if (!m_results.isEmpty())
        return m_results.dequeue();
    if (m_handler)
        return m_handler(dialog);
    return QDialog::Rejected;
}

} // namespace XP
