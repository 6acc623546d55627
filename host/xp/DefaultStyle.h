#pragma once

class QApplication;

namespace XP {

// Gives the application the terminal's calm dark look from the current theme:
// the Fusion style, a palette and a style sheet for the standard controls,
// and the theme's default font (a CJK font, so that Chinese renders). Toolkit
// widgets that paint themselves take their colours from the theme directly.
void applyDefaultStyle(QApplication *app);

} // namespace XP
