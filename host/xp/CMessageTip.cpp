#include "xp/CMessageTip.h"

#include "xp/CUiResource.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPropertyAnimation>
#include <QTimer>
#include <QWidget>

namespace XP {

namespace {

struct TipState
{
    QPointer<QLabel> label;
    QPointer<QTimer> timer;
    QPointer<QWidget> editor;
    QString text;
};

TipState &tipState()
{
    static TipState state;
    return state;
}

QString levelColorKey(int level)
{
    switch (level) {
    case CMessageTip::TIP_OK:
        return QStringLiteral("clr_tip_ok");
    case CMessageTip::TIP_WARNING:
        return QStringLiteral("clr_tip_warning");
    default:
        return QStringLiteral("clr_tip_info");
    }
}

QLabel *tipLabel()
{
    TipState &s = tipState();
    if (!s.label) {
        // Top-level and parentless so that it outlives any editor; deleted
        // while the application object still exists.
        s.label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        qAddPostRoutine([] { delete tipState().label.data(); });
        s.label->setObjectName(QStringLiteral("xp_messagetip"));
        s.label->setAttribute(Qt::WA_ShowWithoutActivating);
        s.label->setMargin(6);
        s.timer = new QTimer(s.label);
        s.timer->setSingleShot(true);
    }
    return s.label;
}

QPoint tipPosition(QWidget *editor, const QSize &tip, int flags)
{
    const QRect r(editor->mapToGlobal(QPoint(0, 0)), editor->size());
    int x = r.right() + 4;
    int y = r.top() + (r.height() - tip.height()) / 2;
    const bool vertical = flags & (Qt::AlignTop | Qt::AlignBottom);
    if (vertical) {
        y = (flags & Qt::AlignTop) ? r.top() - tip.height() - 2 : r.bottom() + 3;
        x = r.left();
        if (flags & Qt::AlignRight)
            x = r.right() + 1 - tip.width();
        else if (flags & Qt::AlignHCenter)
            x = r.left() + (r.width() - tip.width()) / 2;
    }
    return QPoint(x, y);
}

} // namespace

void CMessageTip::showTip(QWidget *editor, int alignFlags, const QString &text, int level,
                          int fadeMs, int seconds)
{
    TipState &s = tipState();
    s.text = text;
    s.editor = editor;
    if (!editor)
        return;
    QLabel *label = tipLabel();
    // A fade still running from the previous tip must not hide this one.
    for (auto *fade : label->findChildren<QPropertyAnimation *>())
        fade->stop();
    CUiResource *res = uiResource();
    const QColor ground = *res->getColor(QStringLiteral("clr_tip_background"));
    const QColor ink = *res->getColor(levelColorKey(level));
    label->setStyleSheet(QStringLiteral("QLabel#xp_messagetip { background: %1; color: %2; "
                                        "border: 1px solid %2; border-radius: 3px; }")
                             .arg(ground.name(), ink.name()));
    label->setFont(*res->getFont(QStringLiteral("fnt_default_normal_fix")));
    label->setText(text);
    label->adjustSize();
    label->move(tipPosition(editor, label->size(), alignFlags));
    label->setWindowOpacity(1.0);
    label->show();
    label->raise();

    s.timer->disconnect();
    QObject::connect(s.timer.data(), &QTimer::timeout, label, [label, fadeMs] {
        if (fadeMs <= 0) {
            label->hide();
            return;
        }
        auto *fade = new QPropertyAnimation(label, "windowOpacity", label);
        fade->setDuration(fadeMs);
        fade->setStartValue(1.0);
        fade->setEndValue(0.0);
        QObject::connect(fade, &QPropertyAnimation::finished, label, &QWidget::hide);
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    });
    s.timer->start(qMax(0, seconds) * 1000);
}

QString CMessageTip::lastTipText()
{
    return tipState().text;
}

QWidget *CMessageTip::lastTipEditor()
{
    return tipState().editor;
}

bool CMessageTip::isTipVisible()
{
    const TipState &s = tipState();
    return s.label && s.label->isVisible();
}

void CMessageTip::hideTip()
{
    TipState &s = tipState();
    if (s.label)
        s.label->hide();
    if (s.timer)
        s.timer->stop();
}

} // namespace XP
