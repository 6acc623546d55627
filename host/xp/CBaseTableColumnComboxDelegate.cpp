#include "xp/CBaseTableColumnComboxDelegate.h"

#include "xp/CStandardHpfTable.h"
#include "xp/CTableView.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QAbstractItemModel>
#include <QMenu>
#include <QPainter>
#include <QPointer>

namespace XP {

CBaseTableColumnComboxDelegate::CBaseTableColumnComboxDelegate(int id, CStandardHpfTable *table)
    : CBaseTableColumnDelegate(id, table)
{
}

CBaseTableColumnComboxDelegate::~CBaseTableColumnComboxDelegate() = default;

void CBaseTableColumnComboxDelegate::hideCombox()
{
    m_hidden = true;
}

void CBaseTableColumnComboxDelegate::addItem(const QString &key, const QString &text, int value)
{
    m_states[key].items.append({ text, value });
    keyChanged(key, true);
}

void CBaseTableColumnComboxDelegate::setCurrentItem(const QString &key, const QString &text,
                                                    int value)
{
    State &state = m_states[key];
    int index = -1;
    for (int i = 0; i < state.items.size() && index < 0; ++i)
        if (state.items[i].value == value)
            index = i;
    if (index < 0) {
        state.items.append({ text, value });
        index = state.items.size() - 1;
    }
    state.current = index;
    keyChanged(key, true);
}

QString CBaseTableColumnComboxDelegate::currentText(const QString &key) const
{
    const auto it = m_states.constFind(key);
    if (it == m_states.constEnd() || it->current < 0)
        return QString();
    return it->items[it->current].text;
}

int CBaseTableColumnComboxDelegate::currentValue(const QString &key, int fallback) const
{
    const auto it = m_states.constFind(key);
    if (it == m_states.constEnd() || it->current < 0)
        return fallback;
    return it->items[it->current].value;
}

QStringList CBaseTableColumnComboxDelegate::itemTexts(const QString &key) const
{
    QStringList texts;
    for (const Item &item : m_states.value(key).items)
        texts.append(item.text);
    return texts;
}

void CBaseTableColumnComboxDelegate::clearItems(const QString &key)
{
    m_states.remove(key);
}

void CBaseTableColumnComboxDelegate::clearItems()
{
    m_states.clear();
}

bool CBaseTableColumnComboxDelegate::chooseItem(const QString &key, int index)
{
    const auto it = m_states.find(key);
    if (it == m_states.end() || index < 0 || index >= it->items.size() || index == it->current)
        return false;
    it->current = index;
    const int value = it->items[index].value;
    keyChanged(key, true);
    deliver(EVT_TABLE_COMBO_CHANGED, id(), value, key, nullptr);
    return true;
}

QString CBaseTableColumnComboxDelegate::cellText(const QString &key) const
{
    return currentText(key);
}

void CBaseTableColumnComboxDelegate::paintCell(QPainter *painter, const QRect &cell, QWidget *view,
                                               bool hovered, const QString &key, int) const
{
    const auto it = m_states.constFind(key);
    if (it == m_states.constEnd())
        return;
    CUiResource *theme = uiResource();
    const bool boxShown = !m_hidden || hovered;
    painter->save();
    painter->setFont(view->font());
    if (boxShown) {
        painter->setPen(*theme->getColor(hovered
                                             ? QStringLiteral("clr_clickable_simple_text")
                                             : QStringLiteral("clr_operation_frame_line_color")));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(cell.adjusted(1, 2, -2, -3));
        // The arrow that says the cell opens a list.
        const QPointF tip(cell.right() - 9.5, cell.center().y() + 2.0);
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setBrush(*theme->getColor(QStringLiteral("clr_text_default")));
        painter->setPen(Qt::NoPen);
        painter->drawPolygon(
            QPolygonF({ tip + QPointF(-3.5, -4.0), tip + QPointF(3.5, -4.0), tip }));
    }
    painter->setPen(*theme->getColor(QStringLiteral("clr_text_default")));
    const QRect inner = cell.adjusted(5, 0, boxShown ? -16 : -5, 0);
    painter->drawText(
        inner, Qt::AlignLeft | Qt::AlignVCenter,
        painter->fontMetrics().elidedText(currentText(key), Qt::ElideRight, inner.width()));
    painter->restore();
}

bool CBaseTableColumnComboxDelegate::isCellClickable(const QString &key) const
{
    return m_states.value(key).items.size() > 1;
}

void CBaseTableColumnComboxDelegate::clickCell(const QString &key, CTableCellControl *cell)
{
    CStandardHpfTable *owner = table();
    if (!owner || !cell || !isCellClickable(key))
        return;
    const int index = owner->rowIndex(cell->row());
    CTableView *view = owner->view();
    const QRect rect = view->visualRect(view->model()->index(index, cell->column()));
    QMenu menu(view);
    menu.setObjectName(QStringLiteral("xp_table_combo_popup"));
    const State state = m_states.value(key);
    for (int i = 0; i < state.items.size(); ++i) {
        QAction *action = menu.addAction(state.items[i].text);
        action->setCheckable(true);
        action->setChecked(i == state.current);
        action->setData(i);
    }
    const QPointer<CBaseTableColumnComboxDelegate> alive(this);
    QAction *chosen = menu.exec(view->viewport()->mapToGlobal(rect.bottomLeft()));
    if (chosen && alive)
        chooseItem(key, chosen->data().toInt());
}

} // namespace XP
