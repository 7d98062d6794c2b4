#include "toolkit/controls/ControlImage.h"

#include "toolkit/core/ImageDecoder.h"

namespace talvek {

GdiplusImage imageFromBytes(ByteView bytes) { return toImage(decodeImage(bytes)); }

void drawImageAtOrigin(Gdiplus::GpGraphics* graphics, const GdiplusImage& image) {
  if (!graphics || !image) return;
  UINT width = 0;
  UINT height = 0;
  gdip::GdipGetImageWidth(image.get(), &width);
  gdip::GdipGetImageHeight(image.get(), &height);
  // A failing draw leaves the surface as it was.
  gdip::GdipDrawImageRectI(graphics, image.get(), 0, 0, static_cast<INT>(width), static_cast<INT>(height));
}

GdiplusImage copyImage(const GdiplusImage& image) {
  GdiplusImage copy;
  if (image) gdip::GdipCloneImage(image.get(), copy.put());
  return copy;
}

GdiplusBitmap copyBitmap(const GdiplusBitmap& bitmap) {
  Gdiplus::GpImage* copy = nullptr;
  if (bitmap) gdip::GdipCloneImage(bitmap.get(), &copy);
  // A clone of a bitmap is a bitmap.
  return GdiplusBitmap(static_cast<Gdiplus::GpBitmap*>(copy));
}

}  // namespace talvek
