#include "xp/CSmallNoNormalButton.h"

namespace XP {

CSmallNoNormalButton::CSmallNoNormalButton(int id, bool framed, QWidget *parent)
    : CPushButton(id, parent)
    , m_framed(framed)
{
    setObjectName(QStringLiteral("xp_smallnonormalbutton"));
    setBackgroundColors({ QString(), QStringLiteral("clr_button_hover"),
                          QStringLiteral("clr_button_press"), QString() });
    if (framed)
        setFrameColorKey(QStringLiteral("clr_edit_border"));
    const QString accent = QStringLiteral("clr_clickable_simple_text");
    setTextColor(accent, QStringLiteral("clr_text_on_button"), QStringLiteral("clr_text_on_button"),
                 QStringLiteral("clr_disable_color"));
    setTextMargins(4, 0, 4, 0);
}

CSmallNoNormalButton::~CSmallNoNormalButton() = default;

} // namespace XP
