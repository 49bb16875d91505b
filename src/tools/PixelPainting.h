#pragma once

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include "model/PixelGeometry.h"

// The model's drawing primitives in Qt's terms, for the views that paint
// them one to one (no antialiasing, one-pixel pens).

inline QColor ToQColor(RgbColour colour) { return QColor(colour.red, colour.green, colour.blue); }
inline QPoint ToQPoint(PixelPoint point) { return QPoint(point.x, point.y); }
// All pixels of the rectangle (its right and bottom are exclusive).
inline QRect ToQRect(PixelRect rect) { return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top); }

// The one-pixel outline of a rectangle: pixels left .. right - 1 and
// top .. bottom - 1 (a one-pixel pen adds a pixel right and below).
inline void DrawFrame(QPainter& painter, PixelRect rect, const QColor& colour) {
  painter.setPen(QPen(colour, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(ToQRect(rect).adjusted(0, 0, -1, -1));
}

inline void DrawLine(QPainter& painter, const PixelLine& line) {
  painter.drawLine(ToQPoint(line.from), ToQPoint(line.to));
}
