#include "xp/TextWidth.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace XP {

namespace {

// Each font's widths are dropped as a whole once this many texts are kept,
// so that a table of many distinct amounts cannot grow the cache for ever.
constexpr int kMaxTextsPerFont = 20000;

struct FontWidths
{
    explicit FontWidths(const QFont &f)
        : font(f)
        , metrics(f)
    {
    }

    QFont font;
    QFontMetrics metrics;
    QHash<QString, int> widths;
};

FontWidths &widthsOf(const QFont &font)
{
    static std::vector<std::unique_ptr<FontWidths>> fonts;
    static FontWidths *last = nullptr;
    if (last && last->font == font)
        return *last;
    for (const auto &entry : fonts) {
        if (entry->font == font) {
            last = entry.get();
            return *last;
        }
    }
    fonts.push_back(std::make_unique<FontWidths>(font));
    last = fonts.back().get();
    return *last;
}

} // namespace

int textWidth(const QFont &font, const QString &text)
{
    if (text.isEmpty())
        return 0;
    FontWidths &cache = widthsOf(font);
    const auto found = cache.widths.constFind(text);
    if (found != cache.widths.constEnd())
        return found.value();
    if (cache.widths.size() >= kMaxTextsPerFont)
        cache.widths.clear();
    const int width = cache.metrics.horizontalAdvance(text);
    cache.widths.insert(text, width);
    return width;
}

} // namespace XP
