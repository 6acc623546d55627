#include "xp/CUiResource.h"

#include "xp/CUiResourceChangeHandler.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace XP {

namespace {

// Nine-patch image of a vertical mode tab: a rounded body with a highlight
// strip on its right edge. `last` draws the closing tab of the column, with a
// deeper bottom edge.
QPixmap paintTabImage(bool last)
{
    const int w = 24, h = 80;
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0, QColor(0x2b, 0x30, 0x38));
    g.setColorAt(1, QColor(0x23, 0x27, 0x2e));
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, w - 1, h - (last ? 1 : 3)), 3, 3);
    p.fillPath(path, g);
    p.setPen(QColor(0x3d, 0x44, 0x4f));
    p.drawPath(path);
    p.fillRect(QRect(w - 3, 18, 2, h - 56 - 18), QColor(0x3a, 0x8e, 0xe6));
    return pm;
}

} // namespace

CUiResource::CUiResource()
{
    loadDefaultTheme();
}

void CUiResource::loadDefaultTheme()
{
    m_colors.clear();
    m_fonts.clear();
    m_sizes.clear();
    m_images.clear();

    // A calm dark theme of a trading terminal.
    const QColor text(0xd6, 0xdb, 0xe2);
    const QColor muted(0x7d, 0x86, 0x93);
    const QColor accent(0x3a, 0x8e, 0xe6);
    const QColor buy(0xe0, 0x4b, 0x4b); // red: buy, as Chinese markets show it
    const QColor sell(0x2f, 0xb3, 0x6b); // green: sell

    m_colors = {
        { "clr_text_default", text },
        { "clr_text_left_tab_inactive", muted },
        { "clr_text_left_tab_active", QColor(0xff, 0xff, 0xff) },
        { "clr_disable_color", QColor(0x5c, 0x63, 0x6e) },
        { "clr_clickable_simple_text", accent },
        { "clr_operation_frame_line_color", QColor(0x3d, 0x44, 0x4f) },
        { "clr_order_operation_background", QColor(0x1e, 0x22, 0x28) },
        // Text of the operation selectors, drawn on the buy and sell colours.
        { "clr_param_table_order_mode_active", QColor(0xff, 0xff, 0xff) },
        { "clr_param_table_order_mode_inactive", QColor(0xd2, 0xdc, 0xe4) },
        { "clr_table_background", QColor(0x1b, 0x1f, 0x24) },
        { "clr_table_background2", QColor(0x22, 0x27, 0x2d) },
        { "clr_table_pledge_bond_background", QColor(0x24, 0x2a, 0x33) },
        { "clr_basket_param_buy_btn_nomal", buy },
        { "clr_basket_param_buy_btn_hover", buy.lighter(115) },
        { "clr_basket_param_buy_btn_press", buy.darker(120) },
        { "clr_basket_param_buy_btn_disable", QColor(0x5a, 0x3a, 0x3a) },
        { "clr_basket_param_sell_btn_nomal", sell },
        { "clr_basket_param_sell_btn_hover", sell.lighter(115) },
        { "clr_basket_param_sell_btn_press", sell.darker(120) },
        { "clr_basket_param_sell_btn_disable", QColor(0x33, 0x4d, 0x3e) },
        { "clr_panel_background", QColor(0x1e, 0x22, 0x28) },
        { "clr_edit_background", QColor(0x14, 0x17, 0x1b) },
        { "clr_edit_border", QColor(0x3d, 0x44, 0x4f) },
        { "clr_button_background", QColor(0x2d, 0x33, 0x3c) },
        { "clr_selection_background", QColor(0x2a, 0x4a, 0x70) },
        // Toolkit controls.
        { "clr_text_on_button", QColor(0xf4, 0xf6, 0xf8) },
        { "clr_button_hover", QColor(0x38, 0x40, 0x4b) },
        { "clr_button_press", QColor(0x44, 0x4d, 0x5a) },
        { "clr_button_disable", QColor(0x26, 0x2b, 0x32) },
        { "clr_primary_btn_normal", accent.darker(115) },
        { "clr_primary_btn_hover", accent },
        { "clr_primary_btn_press", accent.darker(135) },
        { "clr_edit_unit_text", muted },
        { "clr_tip_background", QColor(0x2b, 0x30, 0x38) },
        { "clr_tip_info", text },
        { "clr_tip_ok", sell },
        { "clr_tip_warning", QColor(0xf0, 0xa0, 0x3c) },
    };

    QFont base(QStringLiteral("WenQuanYi Micro Hei"));
    base.setPixelSize(12);
    // Glyphs keep their drawn shapes: at these sizes the hinter hardly changes
    // how the text looks, and hinting each glyph as it is first drawn was an
    // eighth of the terminal's start.
    base.setHintingPreference(QFont::PreferNoHinting);
    QFont bold = base;
    bold.setBold(true);
    QFont big = base;
    big.setPixelSize(14);
    big.setBold(true);
    m_fonts = {
        { "fnt_default_normal_fix", base },
        { "tc_fnt_operation_btn_text_option", bold },
        { "tc_fnt_operation_btn_text_price", big },
        { "tc_fnt_operation_btn_text_volume", base },
    };

    m_sizes = {
        { "tc_siz_operation_tab_width", 24 },
        { "tc_siz_operation_panel_accounts_min_height", 120 },
        { "tc_siz_operation_panel_accounts_min_width", 260 },
    };

    m_images = {
        { "tc_img_btn_left_tab_top", paintTabImage(false) },
        { "tc_img_btn_left_tab_mode", paintTabImage(true) },
    };
    QPixmap gear(16, 16);
    gear.fill(Qt::transparent);
    {
        QPainter p(&gear);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(muted, 2));
        p.drawEllipse(QRectF(3, 3, 10, 10));
        p.drawPoint(8, 8);
    }
    m_images.insert("ic_img_homepage_runtrade_setting", gear);
}

QColor *CUiResource::getColor(const QString &key)
{
    auto it = m_colors.find(key);
    if (it == m_colors.end()) {
        m_missing.insert(key);
        return &m_missingColor;
    }
    return &it.value();
}

QFont *CUiResource::getFont(const QString &key)
{
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        m_missing.insert(key);
        return &m_missingFont;
    }
    return &it.value();
}

int CUiResource::getSize(const QString &key)
{
    auto it = m_sizes.find(key);
    if (it == m_sizes.end()) {
        m_missing.insert(key);
        return 0;
    }
    return it.value();
}

QPixmap CUiResource::getImage(const QString &key)
{
    auto it = m_images.find(key);
    if (it == m_images.end()) {
        m_missing.insert(key);
        return QPixmap();
    }
    return it.value();
}

QStringList CUiResource::missingKeys() const
{
    QStringList keys(m_missing.begin(), m_missing.end());
    keys.sort();
    return keys;
}

void CUiResource::notifyFontChanged()
{
    const auto handlers = m_handlers;
    for (CUiResourceChangeHandler *h : handlers)
        if (m_handlers.contains(h))
            h->setFixFont();
}

void CUiResource::notifyScaleChanged()
{
    const auto handlers = m_handlers;
    for (CUiResourceChangeHandler *h : handlers)
        if (m_handlers.contains(h))
            h->scaleChanged();
}

CUiResourceChangeHandler::CUiResourceChangeHandler()
{
    uiResource()->registerHandler(this);
}

CUiResourceChangeHandler::~CUiResourceChangeHandler()
{
    uiResource()->unregisterHandler(this);
}

void applyThemeFont(QWidget *widget, const QString &key)
{
    const QFont &font = *uiResource()->getFont(key);
    if (widget->font() != font)
        widget->setFont(font);
}

} // namespace XP
