#pragma once

#include "utils/CSingletonT.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

namespace XP {

class CUiResourceChangeHandler;

// The terminal's theme: colours, fonts, sizes and images by key.
//
// The default theme is complete for every key the panels use. A key that is
// not in the theme still resolves (to a loud magenta colour, the default font,
// size 0 or an empty pixmap) so that the terminal keeps running, but it is
// recorded in missingKeys() where tests look for it.
class CUiResource
{
public:
    CUiResource();

    QColor *getColor(const QString &key);
    QFont *getFont(const QString &key);
    int getSize(const QString &key);
    QPixmap getImage(const QString &key);

    bool hasColor(const QString &key) const { return m_colors.contains(key); }
    bool hasFont(const QString &key) const { return m_fonts.contains(key); }
    bool hasSize(const QString &key) const { return m_sizes.contains(key); }
    bool hasImage(const QString &key) const { return m_images.contains(key); }

    // Every key looked up that the theme does not define.
    QStringList missingKeys() const;
    void clearMissingKeys() { m_missing.clear(); }

    void setColor(const QString &key, const QColor &c) { m_colors[key] = c; }
    void setFont(const QString &key, const QFont &f) { m_fonts[key] = f; }
    void setSize(const QString &key, int size) { m_sizes[key] = size; }
    void setImage(const QString &key, const QPixmap &p) { m_images[key] = p; }

    // Restores the default theme.
    void loadDefaultTheme();

    // Tells every registered handler that fonts or the scale changed.
    void notifyFontChanged();
    void notifyScaleChanged();

    void registerHandler(CUiResourceChangeHandler *h) { m_handlers.insert(h); }
    void unregisterHandler(CUiResourceChangeHandler *h) { m_handlers.remove(h); }

private:
    QHash<QString, QColor> m_colors;
    QHash<QString, QFont> m_fonts;
    QHash<QString, int> m_sizes;
    QHash<QString, QPixmap> m_images;
    QSet<QString> m_missing;
    QSet<CUiResourceChangeHandler *> m_handlers;
    QColor m_missingColor { 255, 0, 255 };
    QFont m_missingFont;
};

inline CUiResource *uiResource()
{
    return utils::CSingletonT<CUiResource>::instance();
}

// Gives `widget` the theme font `key` unless it already shows exactly that
// font. Most widgets inherit the theme's default font from the application,
// and a font change is not free: it re-lays out the widget and its children,
// and a combo box builds its drop-down list for it.
void applyThemeFont(QWidget *widget, const QString &key);

} // namespace XP
