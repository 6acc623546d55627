#include "xp/CAutoExpandToolBar.h"

#include "xp/CFrameSplitterLine.h"
#include "xp/ShowWithParent.h"

#include <QEvent>
#include <QVector>

namespace XP {

namespace {
QSize itemSize(const QWidget *w)
{
    return w->sizeHint().expandedTo(w->minimumSize()).boundedTo(w->maximumSize());
}
} // namespace

CAutoExpandToolBar::CAutoExpandToolBar(QWidget *parent, int maxLines)
    : CBaseWidget(QStringLiteral("xp_autoexpandtoolbar"), false, parent)
    , m_maxLines(maxLines)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

CAutoExpandToolBar::~CAutoExpandToolBar() = default;

void CAutoExpandToolBar::addToolItem(QWidget *item, bool expanding)
{
    if (!item)
        return;
    if (item->parentWidget() != this)
        item->setParent(this);
    showWithParent(item);
    m_items.append({ item, expanding });
    updateGeometry();
    arrangeWhenShown();
}

void CAutoExpandToolBar::addSeperator()
{
    auto *line = new CFrameSplitterLine(QStringLiteral("clr_operation_frame_line_color"), this);
    line->setFixedSize(1, 16);
    addToolItem(line, false);
}

void CAutoExpandToolBar::setSpacing(int spacing)
{
    m_spacing = qMax(0, spacing);
    updateGeometry();
    arrangeWhenShown();
}

void CAutoExpandToolBar::arrangeWhenShown()
{
    // Measuring the items is the costly part (an item's size hint may lay out
    // all it holds): a hidden bar, such as one built with its page, places
    // them once it is shown.
    if (isVisible())
        arrange(width(), true);
    else
        m_arrangePending = true;
}

QList<QWidget *> CAutoExpandToolBar::toolItems() const
{
    QList<QWidget *> out;
    for (const SItem &item : m_items)
        if (item.widget)
            out.append(item.widget);
    return out;
}

int CAutoExpandToolBar::arrange(int width, bool apply) const
{
    QList<SItem> items;
    for (const SItem &item : m_items)
        if (item.widget)
            items.append(item);
    QVector<QSize> sizes;
    sizes.reserve(items.size());
    for (const SItem &item : items)
        sizes.append(itemSize(item.widget));
    const int inner = qMax(1, width - 2 * m_margin);
    // Break the items into lines of item indexes.
    QList<QList<int>> lines { QList<int>() };
    int x = 0;
    for (int i = 0; i < items.size(); ++i) {
        const int w = sizes.at(i).width();
        if (x > 0 && x + w > inner) {
            lines.append(QList<int>());
            x = 0;
        }
        lines.last().append(i);
        x += w + m_spacing;
    }
    const int shownLines = m_maxLines > 0 ? qMin(lines.size(), m_maxLines) : lines.size();
    int y = m_margin;
    for (int line = 0; line < lines.size(); ++line) {
        const bool shown = line < shownLines;
        int lineHeight = 0;
        for (int i : lines.at(line))
            lineHeight = qMax(lineHeight, sizes.at(i).height());
        int left = m_margin;
        for (int k = 0; k < lines.at(line).size() && apply; ++k) {
            const int index = lines.at(line).at(k);
            const SItem &item = items.at(index);
            QSize size = sizes.at(index);
            const bool last = k == lines.at(line).size() - 1;
            if (last && item.expanding)
                size.setWidth(qMax(size.width(), m_margin + inner - left));
            size = size.boundedTo(item.widget->maximumSize());
            item.widget->setGeometry(
                QRect(QPoint(left, y + (lineHeight - size.height()) / 2), size));
            item.widget->setVisible(shown);
            left += size.width() + m_spacing;
        }
        if (shown)
            y += lineHeight + (line + 1 < shownLines ? m_spacing : 0);
    }
    if (apply) {
        m_lines = shownLines;
        m_arrangePending = false;
    }
    return y + m_margin;
}

int CAutoExpandToolBar::heightForWidth(int width) const
{
    return arrange(width, false);
}

QSize CAutoExpandToolBar::sizeHint() const
{
    int w = 2 * m_margin, h = 0;
    for (const SItem &item : m_items) {
        if (!item.widget)
            continue;
        const QSize s = itemSize(item.widget);
        w += s.width() + m_spacing;
        h = qMax(h, s.height());
    }
    return QSize(w, h + 2 * m_margin);
}

QSize CAutoExpandToolBar::minimumSizeHint() const
{
    return QSize(0, sizeHint().height());
}

void CAutoExpandToolBar::resizeEvent(QResizeEvent *event)
{
    CBaseWidget::resizeEvent(event);
    const int needed = arrange(width(), true);
    // A bar laid out in a list grows by asking for the height it needs.
    if (needed != height())
        setFixedHeight(needed);
}

void CAutoExpandToolBar::showEvent(QShowEvent *event)
{
    CBaseWidget::showEvent(event);
    if (m_arrangePending)
        arrange(width(), true);
}

bool CAutoExpandToolBar::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest)
        arrange(width(), true);
    return CBaseWidget::event(event);
}

} // namespace XP
