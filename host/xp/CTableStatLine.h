#pragma once

#include <QWidget>

class QTableView;

namespace XP {

// The statistics line under a table: each column's text under its column,
// following the column widths and the horizontal scroll of the view.
class CTableStatLine final : public QWidget
{
public:
    CTableStatLine(QTableView *view, const QStringList *texts, QWidget *parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTableView *m_view; // not owned: a sibling
    const QStringList *m_texts; // not owned: the table's statistics texts
};

} // namespace XP
