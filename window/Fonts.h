#pragma once
// The window names the fonts it was drawn with ("Garamond", "Arial",
// "MS Sans Serif", "Times New Roman"). A Linux desktop lacks them, so each is
// mapped to a free font of the same look or metrics.

namespace vantorel::window {

// Registers the substitutes once per process; later calls do nothing.
void InstallFontSubstitutes();

}  // namespace vantorel::window
