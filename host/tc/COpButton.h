#pragma once

#include "xp/CPushButton.h"
#include "xp/ENormalButtonType.h"

namespace TC {

// The order button of an operation form ("买 入", "卖 出"): filled in the
// colours of its XP::ENormalButtonType (red buy, green sell), with its text
// and, when set, a price line and a volume line under it, each in its own
// theme font. With bold-on-hover, the text turns bold while the mouse is over
// the button. A click delivers EVT_BUTTON_CHECKED (5) with a = id.
class COpButton : public XP::CPushButton
{
    Q_OBJECT
public:
    COpButton(int id, int buttonType, const QString &text, QWidget *parent);
    ~COpButton() override;

    int buttonType() const { return m_buttonType; }
    void setButtonType(int buttonType);

    void setFontKeys(const QString &textKey, const QString &priceKey, const QString &volumeKey);
    QString textFontKey() const { return m_textFontKey; }
    QString priceFontKey() const { return m_priceFontKey; }
    QString volumeFontKey() const { return m_volumeFontKey; }

    // Empty texts leave their line out.
    void setPriceText(const QString &text);
    QString priceText() const { return m_priceText; }
    void setVolumeText(const QString &text);
    QString volumeText() const { return m_volumeText; }

    void setBoldOnHover(bool on);
    bool isBoldOnHover() const { return m_boldOnHover; }
    bool isHovered() const { return m_hovered; }

    // The font the text is drawn in now (bold while hovered, when asked for).
    QFont currentTextFont() const;

    void setFixFont() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int m_buttonType;
    QString m_textFontKey;
    QString m_priceFontKey;
    QString m_volumeFontKey;
    QString m_priceText;
    QString m_volumeText;
    bool m_boldOnHover = false;
    bool m_hovered = false;
};

} // namespace TC
