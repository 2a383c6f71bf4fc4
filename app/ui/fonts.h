// The display font as a QFont: g_Font is made from g_LogFont at start-up and
// after the font command.
#pragma once

#include "app/displayfont.h"

#include <QFont>

extern QFont g_Font;

QFont FontFromLogFont(const LogFont& lf);
// A choice of the font dialog as logical font fields; the fields a QFont does
// not describe (character set, precisions, quality, family bits) stay those of base.
LogFont LogFontFromFont(const QFont& font, const LogFont& base);
// Remakes g_Font from g_LogFont.
void CreateDisplayFont();
