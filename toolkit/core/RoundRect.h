// Rounded rectangles for GDI+ drawing: the path and the filled and outlined
// shapes that the form frame, the window shadow and the controls share.
// Each routine makes and frees its own brushes, pens and paths.
#pragma once

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

GdiplusBrush solidBrush(Argb colour);

// Four quarter arcs of diameter 2 * radius, closed, alternate fill mode.
GdiplusPath roundRectPath(int x, int y, int width, int height, int radius);

bool fillRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height);
bool fillPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb colour);
// A radius below 1 fills a plain rectangle.
bool fillRoundRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height, int radius);

// Pen widths of 0 count as 1.
bool drawRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height, int penWidth);
bool drawPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb colour, float penWidth = 1.0f);
bool drawRoundRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height, int radius,
                   int penWidth);

}  // namespace talvek
