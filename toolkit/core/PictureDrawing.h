// The one way the toolkit draws its pictures: a picture with larger
// drawings attached (PictureVariants) is shown from the one nearest the
// destination's size in device pixels, world transform included, and only
// the rest of the way is stretched, with high-quality interpolation. A
// picture shown at its own size, or without drawings, is drawn by exactly
// the call and interpolation mode it always was.
#pragma once

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/Rect.h"

namespace talvek {

// The whole picture into destination (world coordinates).
Gdiplus::GpStatus drawPicture(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& destination);

// The part source, in the 1x picture's pixels, into destination, through
// attributes when given.
Gdiplus::GpStatus drawPicturePart(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, const Rect& destination,
                                  const Rect& source, Gdiplus::GpImageAttributes* attributes = nullptr);

}  // namespace talvek
