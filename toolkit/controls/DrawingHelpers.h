// Stateless GDI+ drawing routines shared by the form and the controls.
// Each takes the target graphics first and deletes every pen, brush, path
// and attribute object it makes before returning. Colours are ARGB; pens
// use pixel units.
#pragma once

#include <optional>
#include <string_view>

#include "toolkit/controls/NineSlice.h"
#include "toolkit/controls/TextStyle.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

// Four quarter arcs of diameter 2 × radius, closed, alternate fill mode.
GdiplusPath roundRectPath(float x, float y, float width, float height, float radius);

bool fillRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height);
bool fillPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb color);
// Radius below 1 is a plain rectangle.
bool fillRoundRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height, int radius);

// Pen width 0 counts as 1.
bool drawRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height, int penWidth);
bool drawPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb color, float penWidth = 1.0f);
bool drawRoundRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height, int radius,
                   int penWidth);

// The icon at (x, y), 16 × 16 unless a size is given.
bool drawIcon(Gdiplus::GpGraphics* graphics, HICON icon, int x, int y, std::optional<int> width = std::nullopt,
              std::optional<int> height = std::nullopt);

struct TextSize {
  int width = 0;
  int height = 0;
};
// The text's size in the style, truncated; without a graphics one for the
// desktop is used.
TextSize measureText(std::u16string_view text, const TextStyle& style, Gdiplus::GpGraphics* graphics = nullptr);

// The image in nine pieces filling the rectangle (see NineSlice.h). Opacity
// 1..100 scales the image's alpha by that percentage; 0 (or less) draws it
// as it is.
void drawNineSlice(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, int x, int y, int width, int height,
                   SliceMargins margins, int opacityPercent);

}  // namespace talvek
