// Draws caption buttons from the skin record's three-state images, with the
// cross-fade between two states blended through a colour matrix.
#pragma once

#include <array>

#include "toolkit/core/CaptionButtonSet.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/MemoryCanvas.h"

namespace talvek {

// Null when the skin has no such image.
Gdiplus::GpBitmap* captionButtonImage(int type, int state);

// The natural size of each type's normal image (zero when missing).
std::array<ButtonSize, caption::kTypeCount> captionButtonSizes();

// Draws image over rect with its alpha scaled by opacity (0..1).
void drawImageWithOpacity(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& rect, float opacity);

// Restores the button's area from background, then draws the shown state
// fading out under the requested state fading in (or just the requested
// state once the fade is over).
void paintCaptionButton(const MemoryCanvas& canvas, const MemoryCanvas& background, const CaptionButtonRecord& button);

}  // namespace talvek
