#include "dialogs/drawingmap.h"

#include <algorithm>
#include <cmath>

DrawingMap::DrawingMap(const PixelRect& area, double minX, double minY, double maxX, double maxY, int margin)
{
    const double width = std::max(0, area.Width() - 2 * margin);
    const double height = std::max(0, area.Height() - 2 * margin);
    const double spanX = std::fabs(maxX - minX);
    const double spanY = std::fabs(maxY - minY);
    double scale = 0.0;
    if (spanX > 0.0 && width > 0.0)
        scale = width / spanX;
    if (spanY > 0.0 && height > 0.0)
        scale = scale > 0.0 ? std::min(scale, height / spanY) : height / spanY;
    m_scale = scale > 0.0 && std::isfinite(scale) ? scale : 1.0;
    m_centreX = (minX + maxX) / 2.0;
    m_centreY = (minY + maxY) / 2.0;
    m_pixelX = (area.left + area.right) / 2.0;
    m_pixelY = (area.top + area.bottom) / 2.0;
}

int DrawingMap::X(double x) const
{
    return int(std::lround(m_pixelX + (x - m_centreX) * m_scale));
}

int DrawingMap::Y(double y) const
{
    return int(std::lround(m_pixelY - (y - m_centreY) * m_scale));
}

int DrawingMap::Length(double d) const
{
    return int(std::lround(d * m_scale));
}
