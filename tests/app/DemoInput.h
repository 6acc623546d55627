#pragma once

// A trader's hands on the demo terminal, for the tests that drive it through
// its widgets only: clicks on table rows, typing key by key, waiting for the
// simulated host's answers.
#include "xp/CParameterCell.h"
#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/IBaseHpfTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QThread>

#include <functional>

namespace demo {

// Presses the mouse on the cell of row `key`, column `column`.
inline void clickKey(XP::CStandardHpfTable *table, const QString &key, int column)
{
    table->flush();
    QTableView *view = table->view();
    const int index = table->rowIndex(table->dataModel()->indexOfKey(key));
    const QPoint at = view->visualRect(view->model()->index(index, column)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
}

// Key by key, as the trader types, so that the form recalculates.
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

inline void typeAndReturn(QLineEdit *edit, const QString &text)
{
    typeInto(edit, text);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
}

// The visible cell of the page labelled `label`, or null.
inline XP::CParameterCell *cellLabelled(QWidget *page, const QString &label)
{
    for (XP::CParameterCell *cell : page->findChildren<XP::CParameterCell *>())
        if (cell->isVisible() && cell->label().trimmed() == label)
            return cell;
    return nullptr;
}

// Runs the event loop until `done`; false after `timeoutMs`.
inline bool waitFor(const std::function<bool()> &done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

} // namespace demo
