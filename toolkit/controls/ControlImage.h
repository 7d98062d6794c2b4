// The one image a picture control shows: decoded from the bytes the program
// embeds, drawn pixel for pixel at the control's origin, and copied when a
// control is cloned.
#pragma once

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

// Through the skin-image loader; empty when the bytes are not an image.
GdiplusImage imageFromBytes(ByteView bytes);

// At x, y and the image's own pixel size, whatever resolution it records,
// so a larger image is cut off by the surface rather than shrunk. A null
// image draws nothing.
void drawImageAtPixelSize(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, int x, int y);
void drawImageAtOrigin(Gdiplus::GpGraphics* graphics, const GdiplusImage& image);

// An independent copy (empty for an empty image).
GdiplusImage copyImage(const GdiplusImage& image);
GdiplusBitmap copyBitmap(const GdiplusBitmap& bitmap);

}  // namespace talvek
