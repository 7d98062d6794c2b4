#include "toolkit/controls/DrawingHelpers.h"

#include "toolkit/core/PictureDrawing.h"
#include "toolkit/core/StyledText.h"

namespace talvek {
bool drawIcon(Gdiplus::GpGraphics* graphics, HICON icon, int x, int y, std::optional<int> width,
              std::optional<int> height) {
  GdiplusBitmap bitmap;
  if (!icon || gdip::GdipCreateBitmapFromHICON(icon, bitmap.put()) != Gdiplus::Ok) return false;
  return drawPicture(graphics, bitmap.get(), {x, y, width.value_or(16), height.value_or(16)}) == Gdiplus::Ok;
}

void drawNineSlice(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, int x, int y, int width, int height,
                   SliceMargins margins, int opacityPercent) {
  if (!graphics || !image) return;
  UINT imageWidth = 0;
  UINT imageHeight = 0;
  gdip::GdipGetImageWidth(image, &imageWidth);
  gdip::GdipGetImageHeight(image, &imageHeight);

  GdiplusImageAttributes attributes;
  if (opacityPercent > 0 && gdip::GdipCreateImageAttributes(attributes.put()) == Gdiplus::Ok) {
    Gdiplus::ColorMatrix matrix = {};
    for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = static_cast<Gdiplus::REAL>(opacityPercent) / 100.0f;
    gdip::GdipSetImageAttributesColorMatrix(attributes.get(), Gdiplus::ColorAdjustTypeDefault, TRUE, &matrix,
                                            nullptr, Gdiplus::ColorMatrixFlagsDefault);
  }
  auto pieces = nineSlicePieces(static_cast<int>(imageWidth), static_cast<int>(imageHeight), {x, y, width, height},
                                margins);
  for (const SlicePiece& piece : pieces) {
    const Rect& s = piece.source;
    const Rect& d = piece.destination;
    if (s.width <= 0 || s.height <= 0 || d.width <= 0 || d.height <= 0) continue;
    drawPicturePart(graphics, image, d, s, attributes.get());
  }
}

}  // namespace talvek
