// The soft shadow ring around a layered window whose body starts five
// pixels inside its bounds.
#pragma once

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

inline constexpr int kShadowMargin = 5;

// Strokes that darken towards the body, clipped to the ring between the
// bounds and the body, so the body itself is never touched. Only the RGB
// of shadowColour is used; the strokes bring their own alphas.
void drawWindowShadow(Gdiplus::GpGraphics* graphics, int x, int y, int width, int height, Argb shadowColour,
                      int radius);

}  // namespace talvek
