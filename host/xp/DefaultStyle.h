#pragma once

class QApplication;

namespace XP {

// Gives the application the terminal's calm dark look from the current theme:
// a style over Fusion that draws the standard controls (edit boxes, combo
// boxes, table headers, scroll bars, tips) in the theme's colours, a palette,
// and the theme's default font (a CJK font, so that Chinese renders). Toolkit
// widgets that paint themselves take their colours from the theme directly.
// Applying it again builds the style from the theme as it is then.
void applyDefaultStyle(QApplication *app);

} // namespace XP
