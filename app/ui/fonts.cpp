#include "app/ui/fonts.h"

#include <QFontInfo>

#include <algorithm>
#include <cstdlib>

QFont g_Font;

QFont FontFromLogFont(const LogFont& lf)
{
    QFont f(QString::fromStdString(lf.lfFaceName));
    // The height is a size in points (a negative height, a character height
    // in the logical-font convention, is taken by its magnitude).
    long points = std::labs(lf.lfHeight);
    f.setPointSize(points > 0 ? static_cast<int>(std::min(points, 200L)) : 10);
    if (lf.lfWeight > 0)
        f.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(lf.lfWeight), 100, 900)));
    f.setItalic(lf.lfItalic != 0);
    f.setUnderline(lf.lfUnderline != 0);
    f.setStrikeOut(lf.lfStrikeOut != 0);
    if ((lf.lfPitchAndFamily & 3) == kFixedPitch) {
        // Faces named in old profiles ("Courier New Cyr") may be missing: ask
        // for any fixed-pitch face then.
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
    }
    return f;
}

LogFont LogFontFromFont(const QFont& font, const LogFont& base)
{
    LogFont lf = base;
    lf.lfFaceName = font.family().toStdString();
    lf.lfHeight = font.pointSize() > 0 ? font.pointSize() : 10;
    lf.lfWidth = 0;
    lf.lfWeight = static_cast<int>(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfPitchAndFamily = (base.lfPitchAndFamily & ~3) | (QFontInfo(font).fixedPitch() ? kFixedPitch : kVariablePitch);
    return lf;
}

void CreateDisplayFont()
{
    g_Font = FontFromLogFont(g_LogFont);
}
