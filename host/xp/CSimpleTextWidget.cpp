#include "xp/CSimpleTextWidget.h"

#include "xp/CEventDeliverer.h"
#include "xp/CUiResource.h"
#include "xp/TextWidth.h"
#include "xp/WidgetEvents.h"

#include <QMouseEvent>
#include <QPainter>

namespace XP {

CSimpleTextWidget::CSimpleTextWidget(const QString &text, QWidget *parent)
    : QWidget(parent)
    , m_text(text)
{
    setObjectName(QStringLiteral("xp_simpletextwidget"));
    setFixFont();
}

CSimpleTextWidget::CSimpleTextWidget(bool clickable, int id, const QString &text, QWidget *parent)
    : CSimpleTextWidget(text, parent)
{
    m_id = id;
    setClickable(clickable);
}

CSimpleTextWidget::~CSimpleTextWidget() = default;

void CSimpleTextWidget::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    updateGeometry();
    update();
}

void CSimpleTextWidget::setClickable(bool clickable)
{
    m_clickable = clickable;
    if (clickable) {
        m_colorKey = QStringLiteral("clr_clickable_simple_text");
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    update();
}

void CSimpleTextWidget::setColorKey(const QString &key)
{
    m_colorKey = key;
    update();
}

void CSimpleTextWidget::setFontKey(const QString &key)
{
    m_fontKey = key;
    setFixFont();
}

void CSimpleTextWidget::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void CSimpleTextWidget::setFixFont()
{
    if (!m_fontKey.isEmpty())
        applyThemeFont(this, m_fontKey);
    updateGeometry();
    update();
}

QSize CSimpleTextWidget::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(textWidth(font(), m_text) + 4, fm.height() + 4);
}

QSize CSimpleTextWidget::minimumSizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(qMin(sizeHint().width(), fm.averageCharWidth() * 2), fm.height());
}

void CSimpleTextWidget::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QFont f = font();
    if (m_clickable && m_hovered)
        f.setUnderline(true);
    p.setFont(f);
    p.setPen(
        *uiResource()->getColor(isEnabled() ? m_colorKey : QStringLiteral("clr_disable_color")));
    const QRect area = contentsRect().adjusted(2, 0, -2, 0);
    p.drawText(area, int(m_alignment),
               QFontMetrics(f).elidedText(m_text, Qt::ElideRight, area.width()));
}

void CSimpleTextWidget::mousePressEvent(QMouseEvent *event)
{
    if (m_clickable && event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CSimpleTextWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click
        = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressed = false;
    if (click && m_clickable && isEnabled()) {
        event->accept();
        CEventDeliverer::deliverEventFrom(this, EVT_TEXT_CLICKED, m_id, 0, m_text);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void CSimpleTextWidget::enterEvent(QEvent *event)
{
    m_hovered = true;
    if (m_clickable)
        update();
    QWidget::enterEvent(event);
}

void CSimpleTextWidget::leaveEvent(QEvent *event)
{
    m_hovered = false;
    if (m_clickable)
        update();
    QWidget::leaveEvent(event);
}

} // namespace XP
