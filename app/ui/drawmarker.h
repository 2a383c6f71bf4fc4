// Curve-point markers of the graphs, drawn with the painter's pen (and, for
// the closed shapes, its brush) centred on a point.
#pragma once

class QPainter;
class QPoint;

void DrawMarker(QPainter& dc, const QPoint& at, const int* code, double scale);
