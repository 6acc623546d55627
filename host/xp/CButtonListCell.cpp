#include "xp/CButtonListCell.h"

#include "xp/CSmallNormalButton.h"
#include "xp/CUiResource.h"
#include "xp/IBaseTable.h"
#include "xp/WidgetEvents.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>

namespace XP {

namespace {

constexpr int kMargin = 2; // around the buttons and between them

} // namespace

CButtonListCell::CButtonListCell(IBaseTable *table)
    : CTableCellControl(0, table)
{
}

CButtonListCell::~CButtonListCell() = default;

int CButtonListCell::addButton(int id, const QString &text, int buttonType)
{
    m_buttons.append(Button { id, text, buttonType, true });
    changed();
    return m_buttons.size() - 1;
}

int CButtonListCell::buttonId(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index).id : -1;
}

QString CButtonListCell::buttonText(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index).text : QString();
}

int CButtonListCell::indexOf(int id) const
{
    for (int index = 0; index < m_buttons.size(); ++index) {
        if (m_buttons.at(index).id == id)
            return index;
    }
    return -1;
}

void CButtonListCell::setButtonEnabled(int id, bool enabled)
{
    const int index = indexOf(id);
    if (index < 0 || m_buttons.at(index).enabled == enabled)
        return;
    m_buttons[index].enabled = enabled;
    changed();
}

bool CButtonListCell::isButtonEnabled(int id) const
{
    const int index = indexOf(id);
    return isEnabled() && index >= 0 && m_buttons.at(index).enabled;
}

void CButtonListCell::clickButton(int id)
{
    if (isButtonEnabled(id) && table())
        table()->deliverTableEvent(EVT_BUTTON_CHECKED, id, 0, QString(), nullptr);
}

QRect CButtonListCell::buttonRect(int index, const QRect &cell) const
{
    const int count = m_buttons.size();
    if (index < 0 || index >= count)
        return QRect();
    // The buttons stretch over the cell in equal shares, as stretch widgets
    // of a horizontal list would.
    const QRect inner = cell.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const int share = (inner.width() - kMargin * (count - 1)) / count;
    const int left = inner.left() + index * (share + kMargin);
    const int width = index == count - 1 ? inner.right() + 1 - left : share;
    return QRect(left, inner.top(), std::max(0, width), inner.height());
}

QString CButtonListCell::text() const
{
    QStringList texts;
    for (const Button &button : m_buttons)
        texts << button.text;
    return texts.join(QLatin1Char(' '));
}

bool CButtonListCell::isClickable() const
{
    if (!isEnabled())
        return false;
    for (const Button &button : m_buttons) {
        if (button.enabled)
            return true;
    }
    return false;
}

void CButtonListCell::paint(QPainter *painter, const QRect &cell, QWidget *view, bool hovered) const
{
    CUiResource *theme = uiResource();
    // Which button the pointer is over, when it is over this cell.
    QPoint pointer(-1, -1);
    if (hovered) {
        auto *area = qobject_cast<QAbstractScrollArea *>(view);
        QWidget *surface = area ? area->viewport() : view;
        pointer = surface->mapFromGlobal(QCursor::pos());
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setFont(view->font());
    for (int index = 0; index < m_buttons.size(); ++index) {
        const Button &button = m_buttons.at(index);
        const QRect rect = buttonRect(index, cell);
        const bool enabled = isEnabled() && button.enabled;
        const CButtonColorKeys keys = CSmallNormalButton::colorKeysForType(button.buttonType);
        QString key = keys.normal;
        if (!enabled)
            key = keys.disabled;
        else if (rect.contains(pointer))
            key = keys.hover;
        QPainterPath path;
        path.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter->fillPath(path, *theme->getColor(key));
        painter->setPen(enabled ? *theme->getColor(QStringLiteral("clr_text_on_button"))
                                : *theme->getColor(QStringLiteral("clr_disable_color")));
        const QString shown
            = painter->fontMetrics().elidedText(button.text, Qt::ElideRight, rect.width() - 4);
        painter->drawText(rect, Qt::AlignCenter, shown);
    }
    painter->restore();
}

void CButtonListCell::click()
{
    for (const Button &button : m_buttons) {
        if (button.enabled) {
            clickButton(button.id);
            return;
        }
    }
}

void CButtonListCell::clickAt(QWidget *, const QPoint &pos, const QRect &cell)
{
    for (int index = 0; index < m_buttons.size(); ++index) {
        if (buttonRect(index, cell).contains(pos)) {
            clickButton(m_buttons.at(index).id);
            return;
        }
    }
}

} // namespace XP
