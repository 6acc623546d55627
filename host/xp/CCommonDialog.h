#pragma once

#include <QDialog>

class QVBoxLayout;

namespace XP {

class CSimpleTextWidget;

// The terminal's dialog frame: a title line over one inner widget. exec()
// runs through the installed dialog responder (IDialogResponder.h), so a
// test decides the result instead of a person.
class CCommonDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CCommonDialog(QWidget *parent = nullptr);
    ~CCommonDialog() override;

    void setTitle(const QString &title);
    QString title() const;

    // The widget becomes the dialog's content (a previous one is deleted).
    void setInnerWidget(QWidget *widget);
    QWidget *innerWidget() const { return m_inner; }

public slots:
    int exec() override;

private:
    QVBoxLayout *m_layout;
    CSimpleTextWidget *m_titleText;
    QWidget *m_inner = nullptr;
};

} // namespace XP
