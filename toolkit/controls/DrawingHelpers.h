// Stateless GDI+ drawing routines shared by the form and the controls.
// Each takes the target graphics first and deletes every pen, brush, path
// and attribute object it makes before returning. Colours are ARGB; pens
// use pixel units.
#pragma once

#include <optional>
#include <string_view>

#include "toolkit/controls/NineSlice.h"
#include "toolkit/core/TextStyle.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/RoundRect.h"
#include "toolkit/core/StyledText.h"

namespace talvek {

// The icon at (x, y), 16 × 16 unless a size is given.
bool drawIcon(Gdiplus::GpGraphics* graphics, HICON icon, int x, int y, std::optional<int> width = std::nullopt,
              std::optional<int> height = std::nullopt);

// The image in nine pieces filling the rectangle (see NineSlice.h). Opacity
// 1..100 scales the image's alpha by that percentage; 0 (or less) draws it
// as it is.
void drawNineSlice(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, int x, int y, int width, int height,
                   SliceMargins margins, int opacityPercent);

}  // namespace talvek
