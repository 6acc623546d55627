#include "xp/CPushButtonGroup.h"

#include "xp/CPushButton.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QButtonGroup>
#include <QPainter>

namespace XP {

CPushButtonGroup::CPushButtonGroup(Qt::Orientation orientation, int margin,
                                   const QString &backgroundColorKey, QWidget *parent)
    : CBaseWidget(QStringLiteral("xp_pushbuttongroup"), false, parent)
    , m_orientation(orientation)
    , m_layout(new QBoxLayout(
          orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this))
    , m_group(new QButtonGroup(this))
    , m_backgroundKey(backgroundColorKey)
{
    m_layout->setContentsMargins(margin, margin, margin, margin);
    m_layout->setSpacing(0);
    // Buttons pack at the start; the free length stays behind the last one.
    m_layout->addStretch(1);
    m_group->setExclusive(true);
}

CPushButtonGroup::~CPushButtonGroup() = default;

void CPushButtonGroup::addPushButton(CPushButton *button, bool stretch)
{
    if (!button || button->m_group == this)
        return;
    button->m_group = this;
    button->setCheckable(true);
    m_group->addButton(button, button->id());
    m_layout->insertWidget(m_layout->count() - 1, button, stretch ? 1 : 0);
    if (stretch) // stretching buttons take the free length themselves
        m_layout->setStretch(m_layout->count() - 1, 0);
    connect(button, &QAbstractButton::clicked, this, [this, button] { onButtonClicked(button); });
}

void CPushButtonGroup::onButtonClicked(CPushButton *button)
{
    // The exclusive group has already checked the button.
    deliverEvent(EVT_BUTTON_CHECKED, button->id());
}

void CPushButtonGroup::addFixedSpace(int length)
{
    m_layout->insertSpacing(m_layout->count() - 1, length);
}

void CPushButtonGroup::addStretchSpace(int stretch)
{
    m_layout->insertStretch(m_layout->count() - 1, stretch);
}

void CPushButtonGroup::setSpacing(int spacing)
{
    m_layout->setSpacing(spacing);
}

void CPushButtonGroup::setMargins(int left, int top, int right, int bottom)
{
    m_layout->setContentsMargins(left, top, right, bottom);
}

bool CPushButtonGroup::setCheckedByID(int id)
{
    CPushButton *b = button(id);
    if (!b)
        return false;
    b->setChecked(true);
    return true;
}

CPushButton *CPushButtonGroup::checkedButton() const
{
    return static_cast<CPushButton *>(m_group->checkedButton());
}

int CPushButtonGroup::checkedId() const
{
    CPushButton *b = checkedButton();
    return b ? b->id() : -1;
}

CPushButton *CPushButtonGroup::button(int id) const
{
    for (QAbstractButton *b : m_group->buttons()) {
        auto *pb = static_cast<CPushButton *>(b);
        if (pb->id() == id)
            return pb;
    }
    return nullptr;
}

QList<CPushButton *> CPushButtonGroup::buttons() const
{
    QList<CPushButton *> out;
    for (QAbstractButton *b : m_group->buttons())
        out.append(static_cast<CPushButton *>(b));
    return out;
}

void CPushButtonGroup::setBackgroundColorKey(const QString &key)
{
    m_backgroundKey = key;
    update();
}

void CPushButtonGroup::paintEvent(QPaintEvent *event)
{
    if (!m_backgroundKey.isEmpty()) {
        QPainter p(this);
        p.fillRect(rect(), *uiResource()->getColor(m_backgroundKey));
    }
    CBaseWidget::paintEvent(event);
}

} // namespace XP
