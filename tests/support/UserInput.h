#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

// Keys and clicks as the trader sends them, delivered at once.
inline void pressKey(QWidget *w, int key, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// One key per character, so that validators and filters judge each.
inline void type(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        pressKey(w, c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown),
                 QString(c));
}

// Selects what the editor holds, types over it and presses Return.
inline void enter(QLineEdit *w, const QString &text)
{
    w->selectAll();
    type(w, text);
    pressKey(w, Qt::Key_Return);
}

inline void clickAt(QWidget *w, QPoint pos)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}
