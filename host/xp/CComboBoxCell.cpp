#include "xp/CComboBoxCell.h"

#include "xp/COddEvenRowTable.h"
#include "xp/CTableView.h"
#include "xp/CUiResource.h"
#include "xp/IBaseTable.h"
#include "xp/WidgetEvents.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

namespace XP {

CComboBoxCell::CComboBoxCell(int id, IBaseTable *table)
    : CTableCellControl(id, table)
{
    m_delivery = [](CComboBoxCell &cell, int index) {
        if (!cell.table())
            return;
        // A copy: the owner may refill the items while it handles the choice.
        QVariant data = cell.itemData(index);
        cell.table()->deliverTableEvent(EVT_COMBO_CHANGED, cell.id(), index, QString(), &data);
    };
}

CComboBoxCell::~CComboBoxCell()
{
    dropPopup();
}

void CComboBoxCell::dropPopup()
{
    // The owner may clear the table while it handles a choice, that is from
    // inside the list's signal: the list goes later, cut off from this cell.
    if (!m_popup)
        return;
    for (QAction *action : m_popup->actions())
        QObject::disconnect(action, nullptr, m_popup.data(), nullptr);
    m_popup->hide();
    m_popup->deleteLater();
    m_popup.clear();
}

void CComboBoxCell::addItem(const QString &text, const QVariant &data)
{
    m_items.append(Item { text, data });
}

void CComboBoxCell::clear()
{
    closePopup();
    m_items.clear();
    m_current = -1;
    changed();
}

QString CComboBoxCell::itemText(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index).text : QString();
}

QVariant CComboBoxCell::itemData(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index).data : QVariant();
}

int CComboBoxCell::findData(const QVariant &data) const
{
    for (int index = 0; index < m_items.size(); ++index) {
        if (m_items.at(index).data == data)
            return index;
    }
    return -1;
}

void CComboBoxCell::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_items.size())
        index = -1;
    if (index == m_current)
        return;
    m_current = index;
    changed();
}

void CComboBoxCell::choose(int index)
{
    if (!isEnabled() || index < 0 || index >= m_items.size())
        return;
    dropPopup();
    if (index == m_current)
        return;
    setCurrentIndex(index);
    deliverChoice(index);
}

void CComboBoxCell::deliverChoice(int index)
{
    if (m_delivery)
        m_delivery(*this, index);
}

QMenu *CComboBoxCell::popup() const
{
    return m_popup.data();
}

void CComboBoxCell::closePopup()
{
    dropPopup();
}

void CComboBoxCell::paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const
{
    CUiResource *theme = uiResource();
    const QColor border = hovered && isEnabled()
        ? *theme->getColor(QStringLiteral("clr_clickable_simple_text"))
        : *theme->getColor(QStringLiteral("clr_edit_border"));
    const QColor textColor = isEnabled() ? *theme->getColor(QStringLiteral("clr_text_default"))
                                         : *theme->getColor(QStringLiteral("clr_disable_color"));
    const QRect box = cell.adjusted(2, 2, -2, -2);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(border, 1));
    painter->setBrush(*theme->getColor(QStringLiteral("clr_edit_background")));
    painter->drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);

    // The drop-down arrow at the right, the current item's text beside it.
    constexpr int kArrowWidth = 14;
    const QRectF arrow(box.right() - kArrowWidth, box.top(), kArrowWidth - 3, box.height());
    QPainterPath triangle;
    triangle.moveTo(arrow.center().x() - 3.5, arrow.center().y() - 1.5);
    triangle.lineTo(arrow.center().x() + 3.5, arrow.center().y() - 1.5);
    triangle.lineTo(arrow.center().x(), arrow.center().y() + 2.5);
    triangle.closeSubpath();
    painter->setPen(Qt::NoPen);
    painter->setBrush(textColor);
    painter->drawPath(triangle);

    painter->setFont(view->font());
    painter->setPen(textColor);
    const QRect textRect = box.adjusted(4, 0, -kArrowWidth - 2, 0);
    const QString shown
        = QFontMetrics(view->font()).elidedText(currentText(), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, shown);
    painter->restore();
}

void CComboBoxCell::click()
{
    if (!isEnabled() || m_items.isEmpty())
        return;
    // Without the point of the click (the keyboard's activation): under the
    // cell when the table shows it, else at the pointer.
    auto *owner = dynamic_cast<COddEvenRowTable *>(table());
    CTableView *view = owner ? owner->view() : nullptr;
    const int index = owner ? owner->rowIndex(row()) : -1;
    if (view && view->model() && index >= 0) {
        const QRect rect = view->visualRect(view->model()->index(index, column()));
        if (rect.isValid()) {
            clickAt(view->viewport(), rect.center(), rect);
            return;
        }
    }
    showPopup(owner, QCursor::pos(), 0);
}

void CComboBoxCell::clickAt(QWidget *surface, const QPoint &, const QRect &cell)
{
    if (!isEnabled() || m_items.isEmpty())
        return;
    const QPoint below = surface ? surface->mapToGlobal(cell.bottomLeft()) : QCursor::pos();
    showPopup(surface, below, cell.width());
}

void CComboBoxCell::showPopup(QWidget *parent, const QPoint &globalPos, int minimumWidth)
{
    dropPopup();
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("xp_comboboxcell_popup"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setMinimumWidth(minimumWidth);
    for (int index = 0; index < m_items.size(); ++index) {
        QAction *action = menu->addAction(m_items.at(index).text);
        action->setCheckable(true);
        action->setChecked(index == m_current);
        // Cut off when the cell goes (dropPopup), so `this` is alive here.
        QObject::connect(action, &QAction::triggered, menu, [this, index] { choose(index); });
    }
    m_popup = menu;
    menu->popup(globalPos);
}

} // namespace XP
