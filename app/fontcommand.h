// The display-font command ("Шрифт...", 32832), reached from the scheme view's
// text modes and from the results view: the font dialog on a copy of
// g_LogFont; on OK the font is taken and the text views are laid out again.
#pragma once

#include <functional>

// Called after g_LogFont changed, before the views are laid out: the Qt side
// remakes g_Font here.
extern std::function<void()> g_OnDisplayFontChanged;

// Returns whether a font was chosen (Cancel changes nothing).
bool ChooseFont();
