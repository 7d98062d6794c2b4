#include "toolkit/controls/ControlImage.h"

#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/PictureDrawing.h"
#include "toolkit/core/PictureVariants.h"

namespace talvek {

GdiplusImage imageFromBytes(ByteView bytes) { return toImage(decodeImage(bytes)); }

void drawImageAtPixelSize(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, int x, int y) {
  if (!graphics || !image) return;
  UINT width = 0;
  UINT height = 0;
  gdip::GdipGetImageWidth(image, &width);
  gdip::GdipGetImageHeight(image, &height);
  // A failing draw leaves the surface as it was.
  drawPicture(graphics, image, {x, y, static_cast<int>(width), static_cast<int>(height)});
}

void drawImageAtOrigin(Gdiplus::GpGraphics* graphics, const GdiplusImage& image) {
  drawImageAtPixelSize(graphics, image.get(), 0, 0);
}

GdiplusImage copyImage(const GdiplusImage& image) {
  GdiplusImage copy;
  if (image && gdip::GdipCloneImage(image.get(), copy.put()) == Gdiplus::Ok) {
    PictureVariants::instance().copy(image.get(), copy.get());
  }
  return copy;
}

GdiplusBitmap copyBitmap(const GdiplusBitmap& bitmap) {
  Gdiplus::GpImage* copy = nullptr;
  if (bitmap && gdip::GdipCloneImage(bitmap.get(), &copy) == Gdiplus::Ok) {
    PictureVariants::instance().copy(bitmap.get(), copy);
  }
  // A clone of a bitmap is a bitmap.
  return GdiplusBitmap(static_cast<Gdiplus::GpBitmap*>(copy));
}

}  // namespace talvek
