#pragma once

class QFont;
class QString;

namespace XP {

// Width in pixels of a one-line text in a font, as QFontMetrics gives it
// (horizontalAdvance). Remembered per font: tables fit their columns and
// labels size themselves from the same few hundred texts again and again,
// and shaping Chinese text is the costly part. GUI thread only.
int textWidth(const QFont &font, const QString &text);

} // namespace XP
