#pragma once

#include "xp/IDialogResponder.h"

#include <QList>
#include <QQueue>
#include <functional>

namespace XP {

// Answers dialogs from a script and records every one it was asked; never
// shows a window and never blocks.
//
// Answers are taken first in, first out: one queue for message boxes
// (question and critical), one for file names (open and save), one for dialog results. With
// its queue empty, a question answers No (Cancel when No is not offered,
// else NoButton), a critical box answers Ok (else its default button), the
// file dialog an empty path (cancelled) and a dialog QDialog::Rejected, unless
// a dialog handler is set, which then gets the dialog and returns its result.
//
// By default the responder installs itself on construction and, on
// destruction, puts back the responder it replaced.
class CScriptedDialogResponder : public IDialogResponder
{
public:
    enum EKind { ASK_QUESTION, ASK_CRITICAL, ASK_OPEN_FILE, ASK_DIALOG, ASK_SAVE_FILE };
    struct SAsked
    {
        EKind kind;
        QString title; // caption of the file dialog, window title of a dialog
        QString text; // filter of the file dialog
        QMessageBox::StandardButtons buttons;
    };

    explicit CScriptedDialogResponder(bool install = true);
    ~CScriptedDialogResponder() override;

    void answerButton(QMessageBox::StandardButton button) { m_buttons.enqueue(button); }
    void answerFile(const QString &path) { m_files.enqueue(path); }
    void answerDialog(int result) { m_results.enqueue(result); }
    void setDialogHandler(std::function<int(QDialog *)> handler) { m_handler = std::move(handler); }

    const QList<SAsked> &asked() const { return m_asked; }
    int askedCount(EKind kind) const;
    // The last question or critical box, or an empty record.
    SAsked lastMessage() const;
    int pendingAnswers() const { return m_buttons.size() + m_files.size() + m_results.size(); }
    void clear();

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

private:
    bool m_installed;
    IDialogResponder *m_previous = nullptr;
    QQueue<QMessageBox::StandardButton> m_buttons;
    QQueue<QString> m_files;
    QQueue<int> m_results;
    std::function<int(QDialog *)> m_handler;
    QList<SAsked> m_asked;
};

} // namespace XP
