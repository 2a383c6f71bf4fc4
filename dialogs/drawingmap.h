// The mapping of the drawings inside dialogs (tower and cable layouts,
// filter and trap schemes) from world coordinates to the pixels of their
// area: one scale for both axes, the world's box centred in the area inside
// a margin, y growing upwards.  An empty area or a world box without extent
// gives a usable mapping (scale 1, centred), never a division by zero.
#pragma once

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

class DrawingMap {
public:
    DrawingMap() = default;
    // The world box (minX, minY)-(maxX, maxY) fitted into area less margin pixels on each side.
    DrawingMap(const PixelRect& area, double minX, double minY, double maxX, double maxY, int margin = 10);

    double Scale() const { return m_scale; }
    int X(double x) const;
    int Y(double y) const;
    // A world length in pixels.
    int Length(double d) const;

private:
    double m_scale = 1.0;
    double m_centreX = 0.0, m_centreY = 0.0;  // world centre
    double m_pixelX = 0.0, m_pixelY = 0.0;    // area centre
};

// The drawing colours: a white fill and a near-black frame.
inline constexpr int kDrawingFrameRgb[3] = {10, 10, 10};
