#include "xp/CPushButton.h"

#include "xp/CEventDeliverer.h"
#include "xp/CUiResource.h"
#include "xp/WidgetEvents.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionButton>

namespace XP {

namespace {

// Draws `image` into `target` as a nine-patch with the given corner sizes.
// Borders larger than the target are shrunk proportionally.
void drawNinePatch(QPainter &p, const QRect &target, const QPixmap &image, QMargins b)
{
    if (image.isNull() || target.isEmpty())
        return;
    const int iw = image.width(), ih = image.height();
    b.setLeft(qBound(0, b.left(), iw));
    b.setRight(qBound(0, b.right(), iw - b.left()));
    b.setTop(qBound(0, b.top(), ih));
    b.setBottom(qBound(0, b.bottom(), ih - b.top()));
    auto fit = [](int a, int c, int avail, int &outA, int &outC) {
        if (a + c <= avail || a + c == 0) {
            outA = a;
            outC = c;
        } else {
            outA = a * avail / (a + c);
            outC = avail - outA;
        }
    };
    int tl, tr, tt, tb;
    fit(b.left(), b.right(), target.width(), tl, tr);
    fit(b.top(), b.bottom(), target.height(), tt, tb);

    const int sx[4] = { 0, b.left(), iw - b.right(), iw };
    const int sy[4] = { 0, b.top(), ih - b.bottom(), ih };
    const int dx[4]
        = { target.left(), target.left() + tl, target.right() + 1 - tr, target.right() + 1 };
    const int dy[4]
        = { target.top(), target.top() + tt, target.bottom() + 1 - tb, target.bottom() + 1 };
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect src(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
            const QRect dst(dx[col], dy[row], dx[col + 1] - dx[col], dy[row + 1] - dy[row]);
            if (!src.isEmpty() && !dst.isEmpty())
                p.drawPixmap(dst, image, src);
        }
    }
}

enum { TEXT_NORMAL, TEXT_HOVER, TEXT_CHECKED, TEXT_DISABLED };

} // namespace

CPushButton::CPushButton(int id, QWidget *parent)
    : QPushButton(parent)
    , m_id(id)
{
    init();
}

CPushButton::CPushButton(const QString &text, int id, QWidget *parent)
    : QPushButton(text, parent)
    , m_id(id)
{
    init();
}

CPushButton::CPushButton(const QString &imageKey, int id, int left, int top, int right, int bottom,
                         QWidget *parent)
    : QPushButton(parent)
    , m_id(id)
{
    init();
    setJiuGongImage(imageKey, left, top, right, bottom);
}

CPushButton::CPushButton(const CButtonColorKeys &colors, int id, QWidget *parent)
    : QPushButton(parent)
    , m_id(id)
{
    init();
    setBackgroundColors(colors);
}

CPushButton::~CPushButton() = default;

void CPushButton::init()
{
    setAttribute(Qt::WA_Hover, true);
    setCursor(Qt::PointingHandCursor);
    setFixFont();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (!m_group)
            CEventDeliverer::deliverEventFrom(this, EVT_BUTTON_CHECKED, m_id);
    });
}

void CPushButton::setJiuGongImage(const QString &imageKey, int left, int top, int right, int bottom)
{
    m_imageKey = imageKey;
    m_imageBorders = QMargins(left, top, right, bottom);
    update();
}

void CPushButton::setBackgroundColors(const CButtonColorKeys &colors)
{
    m_background = colors;
    update();
}

void CPushButton::setFrameColorKey(const QString &key)
{
    m_frameKey = key;
    update();
}

void CPushButton::setCornerRadius(int radius)
{
    m_radius = qMax(0, radius);
    update();
}

void CPushButton::setTextColor(const QString &normalKey, const QString &hoverKey,
                               const QString &checkedKey, const QString &disabledKey)
{
    m_textKeys[TEXT_NORMAL] = normalKey;
    m_textKeys[TEXT_HOVER] = hoverKey;
    m_textKeys[TEXT_CHECKED] = checkedKey;
    m_textKeys[TEXT_DISABLED] = disabledKey;
    update();
}

QString CPushButton::textColorKey() const
{
    QString key;
    if (!isEnabled())
        key = m_textKeys[TEXT_DISABLED];
    else if (isChecked() || isDown())
        key = m_textKeys[TEXT_CHECKED];
    else if (m_hovered)
        key = m_textKeys[TEXT_HOVER];
    else
        key = m_textKeys[TEXT_NORMAL];
    if (key.isEmpty())
        key = isEnabled() ? QStringLiteral("clr_text_default")
                          : QStringLiteral("clr_disable_color");
    return key;
}

QColor CPushButton::currentTextColor() const
{
    return *uiResource()->getColor(textColorKey());
}

void CPushButton::setHorizontalText(bool horizontal)
{
    m_horizontalText = horizontal;
    updateGeometry();
    update();
}

void CPushButton::setTextMargins(int left, int top, int right, int bottom)
{
    m_textMargins = QMargins(left, top, right, bottom);
    updateGeometry();
    update();
}

void CPushButton::setFontKey(const QString &key)
{
    m_fontKey = key;
    setFixFont();
}

void CPushButton::setIconKey(const QString &imageKey)
{
    setIcon(QIcon(uiResource()->getImage(imageKey)));
}

void CPushButton::setFixFont()
{
    if (!m_fontKey.isEmpty())
        applyThemeFont(this, m_fontKey);
    updateGeometry();
}

QSize CPushButton::sizeHint() const
{
    const QFontMetrics fm(font());
    const int mw = m_textMargins.left() + m_textMargins.right();
    const int mh = m_textMargins.top() + m_textMargins.bottom();
    if (!m_horizontalText) {
        int w = 0;
        for (const QChar c : text())
            w = qMax(w, fm.horizontalAdvance(c));
        return QSize(w + mw + 8, fm.height() * text().size() + mh + 16);
    }
    QSize hint = QPushButton::sizeHint();
    return QSize(hint.width() + mw, qMax(hint.height(), 22) + mh);
}

QSize CPushButton::minimumSizeHint() const
{
    return m_horizontalText ? QPushButton::minimumSizeHint() : sizeHint();
}

bool CPushButton::hasOwnLook() const
{
    if (!m_imageKey.isEmpty() || !m_background.isEmpty() || !m_horizontalText)
        return true;
    for (const QString &k : m_textKeys)
        if (!k.isEmpty())
            return true;
    return !m_textMargins.isNull();
}

void CPushButton::enterEvent(QEvent *event)
{
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void CPushButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}

void CPushButton::paintEvent(QPaintEvent *event)
{
    if (!hasOwnLook()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    paintBackground(painter);
    paintContent(painter);
}

void CPushButton::paintBackground(QPainter &p)
{
    CUiResource *res = uiResource();
    const bool active = isChecked() || isDown();
    if (!m_imageKey.isEmpty()) {
        drawNinePatch(p, rect(), res->getImage(m_imageKey), m_imageBorders);
        // Checked and hovered tabs are lit a little so that the current mode stands out.
        if (isEnabled() && (active || m_hovered))
            p.fillRect(rect().adjusted(1, 1, -1, -1), QColor(255, 255, 255, active ? 28 : 14));
        return;
    }
    if (!m_background.isEmpty()) {
        QString key = m_background.normal;
        if (!isEnabled())
            key = m_background.disabled;
        else if (active)
            key = m_background.press;
        else if (m_hovered)
            key = m_background.hover;
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
        p.setRenderHint(QPainter::Antialiasing);
        if (!key.isEmpty())
            p.fillPath(path, *res->getColor(key));
        if (!m_frameKey.isEmpty()) {
            p.setPen(*res->getColor(m_frameKey));
            p.drawPath(path);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &p, this);
}

void CPushButton::paintContent(QPainter &p)
{
    const QRect area = rect().marginsRemoved(m_textMargins);
    p.setFont(font());
    p.setPen(currentTextColor());
    const QFontMetrics fm(font());
    const QString label = text();
    if (!m_horizontalText) {
        const int lineHeight = fm.height();
        int y = area.top() + (area.height() - lineHeight * label.size()) / 2;
        for (const QChar c : label) {
            p.drawText(QRect(area.left(), y, area.width(), lineHeight), Qt::AlignCenter,
                       QString(c));
            y += lineHeight;
        }
        return;
    }
    const QSize iconSz = icon().isNull() ? QSize() : iconSize();
    const int gap = (!iconSz.isEmpty() && !label.isEmpty()) ? 4 : 0;
    const int textWidth = label.isEmpty() ? 0 : fm.horizontalAdvance(label);
    const int total = iconSz.width() + gap + textWidth;
    int x = area.left() + qMax(0, (area.width() - total) / 2);
    if (!iconSz.isEmpty()) {
        const QRect iconRect(x, area.top() + (area.height() - iconSz.height()) / 2, iconSz.width(),
                             iconSz.height());
        icon().paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        x += iconSz.width() + gap;
    }
    if (!label.isEmpty()) {
        const QRect textRect(x, area.top(), area.right() + 1 - x, area.height());
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(label, Qt::ElideRight, textRect.width()));
    }
}

} // namespace XP
