#include "xp/CTableStatLine.h"

#include "xp/CUiResource.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

namespace XP {

CTableStatLine::CTableStatLine(QTableView *view, const QStringList *texts, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_texts(texts)
{
    setObjectName(QStringLiteral("xp_tablestatline"));
    setFixedHeight(22);
}

QSize CTableStatLine::sizeHint() const
{
    return QSize(100, 22);
}

void CTableStatLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    CUiResource *theme = uiResource();
    painter.fillRect(rect(), *theme->getColor(QStringLiteral("clr_table_background2")));
    painter.setPen(*theme->getColor(QStringLiteral("clr_edit_border")));
    painter.drawLine(0, 0, width(), 0);
    painter.setPen(*theme->getColor(QStringLiteral("clr_text_default")));
    painter.setFont(m_view->font());
    const QHeaderView *header = m_view->horizontalHeader();
    const int offset = m_view->viewport()->geometry().left() + m_view->geometry().left() - x();
    for (int column = 0; column < m_texts->size(); ++column) {
        const QString &text = m_texts->at(column);
        if (text.isEmpty() || header->isSectionHidden(column))
            continue;
        const int left = header->sectionViewportPosition(column) + offset;
        const QRect cell(left + 5, 0, header->sectionSize(column) - 10, height());
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideLeft, cell.width()));
    }
}

} // namespace XP
