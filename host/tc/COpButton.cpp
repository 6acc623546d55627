#include "tc/COpButton.h"

#include "xp/CSmallNormalButton.h"
#include "xp/CUiResource.h"

#include <QPainter>
#include <QPainterPath>

namespace TC {

COpButton::COpButton(int id, int buttonType, const QString &text, QWidget *parent)
    : XP::CPushButton(text, id, parent)
    , m_buttonType(buttonType)
    , m_textFontKey(QStringLiteral("fnt_default_normal_fix"))
{
    setObjectName(QStringLiteral("tc_opbutton"));
    setCornerRadius(3);
    setButtonType(buttonType);
}

COpButton::~COpButton() = default;

void COpButton::setButtonType(int buttonType)
{
    m_buttonType = buttonType;
    // Same colour families as the toolkit's order buttons: buy red, sell green.
    setBackgroundColors(XP::CSmallNormalButton::colorKeysForType(buttonType));
    const QString onButton = QStringLiteral("clr_text_on_button");
    setTextColor(onButton, onButton, onButton, QStringLiteral("clr_disable_color"));
}

void COpButton::setFontKeys(const QString &textKey, const QString &priceKey,
                            const QString &volumeKey)
{
    m_textFontKey = textKey;
    m_priceFontKey = priceKey;
    m_volumeFontKey = volumeKey;
    setFontKey(textKey);
}

void COpButton::setPriceText(const QString &text)
{
    m_priceText = text;
    update();
}

void COpButton::setVolumeText(const QString &text)
{
    m_volumeText = text;
    update();
}

void COpButton::setBoldOnHover(bool on)
{
    m_boldOnHover = on;
    update();
}

QFont COpButton::currentTextFont() const
{
    QFont f = font();
    if (m_boldOnHover && m_hovered && isEnabled())
        f.setBold(true);
    return f;
}

void COpButton::setFixFont()
{
    XP::CPushButton::setFixFont();
    update();
}

void COpButton::enterEvent(QEvent *event)
{
    m_hovered = true;
    XP::CPushButton::enterEvent(event);
}

void COpButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    XP::CPushButton::leaveEvent(event);
}

void COpButton::paintEvent(QPaintEvent *)
{
    XP::CUiResource *theme = XP::uiResource();
    const XP::CButtonColorKeys keys = backgroundColors();
    QString key = keys.normal;
    if (!isEnabled())
        key = keys.disabled;
    else if (isDown() || isChecked())
        key = keys.press;
    else if (m_hovered)
        key = keys.hover;

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    if (!key.isEmpty())
        p.fillPath(path, *theme->getColor(key));
    if (hasFocus() && isEnabled()) {
        p.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::DotLine));
        p.drawPath(path);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    // The text, then the price and volume lines when set, centred as one block.
    struct Line
    {
        QString text;
        QFont font;
    };
    QVector<Line> lines { { text(), currentTextFont() } };
    if (!m_priceText.isEmpty())
        lines.append({ m_priceText, *theme->getFont(m_priceFontKey) });
    if (!m_volumeText.isEmpty())
        lines.append({ m_volumeText, *theme->getFont(m_volumeFontKey) });
    int total = 0;
    for (const Line &line : lines)
        total += QFontMetrics(line.font).height();
    int y = (height() - total) / 2;
    p.setPen(currentTextColor());
    for (const Line &line : lines) {
        const int h = QFontMetrics(line.font).height();
        p.setFont(line.font);
        p.drawText(QRect(0, y, width(), h), Qt::AlignCenter, line.text);
        y += h;
    }
}

} // namespace TC
