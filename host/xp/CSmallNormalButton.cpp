#include "xp/CSmallNormalButton.h"

namespace XP {

CSmallNormalButton::CSmallNormalButton(int id, bool rounded, int buttonType, QWidget *parent)
    : CPushButton(id, parent)
    , m_buttonType(buttonType)
{
    setObjectName(QStringLiteral("xp_smallnormalbutton"));
    setCornerRadius(rounded ? 3 : 0);
    setButtonType(buttonType);
}

CSmallNormalButton::~CSmallNormalButton() = default;

void CSmallNormalButton::setButtonType(int buttonType)
{
    m_buttonType = buttonType;
    setBackgroundColors(colorKeysForType(buttonType));
    const QString white = QStringLiteral("clr_text_on_button");
    setTextColor(white, white, white, QStringLiteral("clr_disable_color"));
}

CButtonColorKeys CSmallNormalButton::colorKeysForType(int buttonType)
{
    switch (buttonType) {
    case NBT_SELL:
        return { QStringLiteral("clr_basket_param_sell_btn_nomal"),
                 QStringLiteral("clr_basket_param_sell_btn_hover"),
                 QStringLiteral("clr_basket_param_sell_btn_press"),
                 QStringLiteral("clr_basket_param_sell_btn_disable") };
    case NBT_BUY:
        return { QStringLiteral("clr_basket_param_buy_btn_nomal"),
                 QStringLiteral("clr_basket_param_buy_btn_hover"),
                 QStringLiteral("clr_basket_param_buy_btn_press"),
                 QStringLiteral("clr_basket_param_buy_btn_disable") };
    case NBT_PRIMARY:
        return { QStringLiteral("clr_primary_btn_normal"), QStringLiteral("clr_primary_btn_hover"),
                 QStringLiteral("clr_primary_btn_press"), QStringLiteral("clr_button_disable") };
    default:
        return { QStringLiteral("clr_button_background"), QStringLiteral("clr_button_hover"),
                 QStringLiteral("clr_button_press"), QStringLiteral("clr_button_disable") };
    }
}

} // namespace XP
