#include "xp/CCommonDialog.h"

#include "xp/CSimpleTextWidget.h"
#include "xp/IDialogResponder.h"

#include <QVBoxLayout>

namespace XP {

CCommonDialog::CCommonDialog(QWidget *parent)
    : QDialog(parent)
    , m_layout(new QVBoxLayout(this))
    , m_titleText(new CSimpleTextWidget(QString(), this))
{
    setObjectName(QStringLiteral("xp_commondialog"));
    m_layout->setContentsMargins(8, 6, 8, 8);
    m_layout->setSpacing(6);
    QFont bold = m_titleText->font();
    bold.setBold(true);
    m_titleText->setFont(bold);
    m_titleText->setFixedHeight(24);
    m_titleText->hide();
    m_layout->addWidget(m_titleText);
}

CCommonDialog::~CCommonDialog() = default;

void CCommonDialog::setTitle(const QString &title)
{
    setWindowTitle(title);
    m_titleText->setText(title);
    m_titleText->setVisible(!title.isEmpty());
}

QString CCommonDialog::title() const
{
    return windowTitle();
}

void CCommonDialog::setInnerWidget(QWidget *widget)
{
    if (m_inner == widget)
        return;
    delete m_inner;
    m_inner = widget;
    if (widget)
        m_layout->addWidget(widget, 1);
}

int CCommonDialog::exec()
{
    return dialogResponder()->execDialog(this);
}

} // namespace XP
