#include "xp/CWidgetList.h"

namespace XP {

CWidgetList::CWidgetList(Qt::Orientation orientation, QWidget *parent)
    : CBaseWidget(QStringLiteral("xp_widgetlist"), false, parent)
    , m_orientation(orientation)
    , m_layout(new QBoxLayout(
          orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    // Widgets pack at the start of the list: when no stretch widget is shown,
    // this closing spacer takes the free length instead of centring the rest.
    m_layout->addStretch(0);
}

CWidgetList::~CWidgetList() = default;

Qt::Alignment CWidgetList::alignmentForAnchor(int anchor) const
{
    const bool row = m_orientation == Qt::Horizontal;
    switch (anchor) {
    case ANCHOR_START:
        return row ? Qt::AlignTop : Qt::AlignLeft;
    case ANCHOR_CENTER:
        return row ? Qt::AlignVCenter : Qt::AlignHCenter;
    case ANCHOR_END:
        return row ? Qt::AlignBottom : Qt::AlignRight;
    case ANCHOR_FILL:
        return Qt::Alignment();
    default:
        return Qt::Alignment(anchor) & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask);
    }
}

void CWidgetList::addWidget(QWidget *widget, int stretch, int anchor, bool keepSpaceWhenHidden)
{
    if (!widget)
        return;
    if (keepSpaceWhenHidden) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
    m_layout->insertWidget(m_layout->count() - 1, widget, stretch, alignmentForAnchor(anchor));
}

void CWidgetList::addFixedWidget(QWidget *widget, int anchor, bool keepSpaceWhenHidden)
{
    if (!widget)
        return;
    // Along the list the widget keeps its hint (or its fixed size).
    QSizePolicy policy = widget->sizePolicy();
    if (m_orientation == Qt::Horizontal)
        policy.setHorizontalPolicy(QSizePolicy::Fixed);
    else
        policy.setVerticalPolicy(QSizePolicy::Fixed);
    widget->setSizePolicy(policy);
    addWidget(widget, 0, anchor, keepSpaceWhenHidden);
}

void CWidgetList::addStretchWidget(QWidget *widget, int stretch, int anchor,
                                   bool keepSpaceWhenHidden)
{
    if (!widget)
        return;
    const bool row = m_orientation == Qt::Horizontal;
    const bool fixedLength = row ? widget->minimumWidth() == widget->maximumWidth()
                                 : widget->minimumHeight() == widget->maximumHeight();
    if (!fixedLength) {
        QSizePolicy policy = widget->sizePolicy();
        if (row)
            policy.setHorizontalPolicy(QSizePolicy::Expanding);
        else
            policy.setVerticalPolicy(QSizePolicy::Expanding);
        widget->setSizePolicy(policy);
    }
    addWidget(widget, qMax(0, stretch), anchor, keepSpaceWhenHidden);
}

void CWidgetList::addFixedSpace(int length)
{
    m_layout->insertSpacing(m_layout->count() - 1, length);
}

void CWidgetList::addStretchSpace(int stretch)
{
    m_layout->insertStretch(m_layout->count() - 1, stretch);
}

void CWidgetList::setMargins(int left, int top, int right, int bottom)
{
    m_layout->setContentsMargins(left, top, right, bottom);
}

void CWidgetList::setSpacing(int spacing)
{
    m_layout->setSpacing(spacing);
}

int CWidgetList::spacing() const
{
    return m_layout->spacing();
}

QMargins CWidgetList::margins() const
{
    return m_layout->contentsMargins();
}

QList<QWidget *> CWidgetList::widgets() const
{
    QList<QWidget *> out;
    for (int i = 0; i < m_layout->count(); ++i) {
        if (QWidget *w = m_layout->itemAt(i)->widget())
            out.append(w);
    }
    return out;
}

int CWidgetList::stretchOf(QWidget *widget) const
{
    const int index = m_layout->indexOf(widget);
    return index < 0 ? -1 : m_layout->stretch(index);
}

void CWidgetList::updateWidgetLengths()
{
    for (QWidget *w : widgets())
        w->updateGeometry();
    m_layout->invalidate();
    updateGeometry();
}

} // namespace XP
