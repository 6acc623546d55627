#include "xp/DefaultStyle.h"

#include "xp/CUiResource.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

namespace XP {

namespace {

QString styleSheet(CUiResource *res)
{
    auto c = [res](const char *key) { return res->getColor(QString::fromLatin1(key))->name(); };
    return QStringLiteral(
               "QToolTip { background: %1; color: %2; border: 1px solid %3; }"
               "QLineEdit { background: %4; color: %2; border: 1px solid %3; border-radius: 2px;"
               " padding: 0 3px; selection-background-color: %5; }"
               "QLineEdit:focus { border-color: %6; }"
               "QLineEdit[frame=\"false\"] { border: none; background: transparent; }"
               "QLineEdit:disabled, QLineEdit:read-only { color: %7; background: %8; }"
               "QComboBox { background: %4; color: %2; border: 1px solid %3; border-radius: 2px;"
               " padding: 0 4px; }"
               "QComboBox:disabled { color: %7; background: %8; }"
               "QComboBox QAbstractItemView { background: %4; color: %2; border: 1px solid %3;"
               " selection-background-color: %5; }"
               "QListWidget#xp_autokeyboardlist { background: %4; color: %2;"
               " border: 1px solid %6; selection-background-color: %5; }"
               "QHeaderView::section { background: %9; color: %2; border: none;"
               " border-right: 1px solid %3; padding: 2px 4px; }"
               "QTableView { background: %1; alternate-background-color: %10; color: %2;"
               " gridline-color: %3; selection-background-color: %5; }"
               "QScrollBar:vertical { background: %1; width: 10px; }"
               "QScrollBar:horizontal { background: %1; height: 10px; }"
               "QScrollBar::handle { background: %3; border-radius: 4px; min-height: 20px;"
               " min-width: 20px; }"
               "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
               "QMessageBox, QDialog { background: %8; }")
        .arg(c("clr_table_background"), c("clr_text_default"), c("clr_edit_border"),
             c("clr_edit_background"), c("clr_selection_background"),
             c("clr_clickable_simple_text"), c("clr_disable_color"), c("clr_panel_background"),
             c("clr_button_background"))
        .arg(c("clr_table_background2"));
}

QPalette palette(CUiResource *res)
{
    auto c = [res](const char *key) { return *res->getColor(QString::fromLatin1(key)); };
    QPalette pal;
    pal.setColor(QPalette::Window, c("clr_panel_background"));
    pal.setColor(QPalette::WindowText, c("clr_text_default"));
    pal.setColor(QPalette::Base, c("clr_edit_background"));
    pal.setColor(QPalette::AlternateBase, c("clr_table_background2"));
    pal.setColor(QPalette::Text, c("clr_text_default"));
    pal.setColor(QPalette::Button, c("clr_button_background"));
    pal.setColor(QPalette::ButtonText, c("clr_text_default"));
    pal.setColor(QPalette::Highlight, c("clr_selection_background"));
    pal.setColor(QPalette::HighlightedText, c("clr_text_on_button"));
    pal.setColor(QPalette::ToolTipBase, c("clr_tip_background"));
    pal.setColor(QPalette::ToolTipText, c("clr_text_default"));
    pal.setColor(QPalette::PlaceholderText, c("clr_disable_color"));
    pal.setColor(QPalette::Link, c("clr_clickable_simple_text"));
    for (QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        pal.setColor(QPalette::Disabled, role, c("clr_disable_color"));
    return pal;
}

} // namespace

void applyDefaultStyle(QApplication *app)
{
    if (!app)
        return;
    CUiResource *res = uiResource();
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setPalette(palette(res));
    // The font goes through the application, not the style sheet: a style
    // sheet font would override the fonts that widgets take from the theme.
    QApplication::setFont(*res->getFont(QStringLiteral("fnt_default_normal_fix")));
    app->setStyleSheet(styleSheet(res));
}

} // namespace XP
