#include "toolkit/controls/DrawingHelpers.h"

#include "toolkit/controls/StyledText.h"

namespace talvek {
namespace {

GdiplusBrush solidBrush(Argb color) {
  GdiplusBrush brush;
  Gdiplus::GpSolidFill* fill = nullptr;
  if (gdip::GdipCreateSolidFill(color, &fill) == Gdiplus::Ok) brush.reset(fill);
  return brush;
}

GdiplusPen pixelPen(Argb color, float width) {
  GdiplusPen pen;
  gdip::GdipCreatePen1(color, width, Gdiplus::UnitPixel, pen.put());
  return pen;
}

}  // namespace

GdiplusPath roundRectPath(float x, float y, float width, float height, float radius) {
  GdiplusPath path;
  if (gdip::GdipCreatePath(Gdiplus::FillModeAlternate, path.put()) != Gdiplus::Ok) return path;
  const float d = 2 * radius;
  gdip::GdipAddPathArc(path.get(), x, y, d, d, 180, 90);
  gdip::GdipAddPathArc(path.get(), x + width - d, y, d, d, 270, 90);
  gdip::GdipAddPathArc(path.get(), x + width - d, y + height - d, d, d, 0, 90);
  gdip::GdipAddPathArc(path.get(), x, y + height - d, d, d, 90, 90);
  gdip::GdipClosePathFigure(path.get());
  return path;
}

bool fillRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height) {
  GdiplusBrush brush = solidBrush(color);
  return brush && gdip::GdipFillRectangleI(graphics, brush.get(), x, y, width, height) == Gdiplus::Ok;
}

bool fillPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb color) {
  GdiplusBrush brush = solidBrush(color);
  return brush && path && gdip::GdipFillPath(graphics, brush.get(), path) == Gdiplus::Ok;
}

bool fillRoundRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height, int radius) {
  if (radius < 1) return fillRect(graphics, color, x, y, width, height);
  GdiplusPath path = roundRectPath(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                                   static_cast<float>(height), static_cast<float>(radius));
  return fillPath(graphics, path.get(), color);
}

bool drawRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height, int penWidth) {
  GdiplusPen pen = pixelPen(color, static_cast<float>(penWidth == 0 ? 1 : penWidth));
  return pen && gdip::GdipDrawRectangleI(graphics, pen.get(), x, y, width, height) == Gdiplus::Ok;
}

bool drawPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb color, float penWidth) {
  GdiplusPen pen = pixelPen(color, penWidth);
  return pen && path && gdip::GdipDrawPath(graphics, pen.get(), path) == Gdiplus::Ok;
}

bool drawRoundRect(Gdiplus::GpGraphics* graphics, Argb color, int x, int y, int width, int height, int radius,
                   int penWidth) {
  if (penWidth == 0) penWidth = 1;
  if (radius < 1) return drawRect(graphics, color, x, y, width, height, penWidth);
  GdiplusPath path = roundRectPath(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                                   static_cast<float>(height), static_cast<float>(radius));
  return drawPath(graphics, path.get(), color, static_cast<float>(penWidth));
}

bool drawIcon(Gdiplus::GpGraphics* graphics, HICON icon, int x, int y, std::optional<int> width,
              std::optional<int> height) {
  GdiplusBitmap bitmap;
  if (!icon || gdip::GdipCreateBitmapFromHICON(icon, bitmap.put()) != Gdiplus::Ok) return false;
  return gdip::GdipDrawImageRectI(graphics, bitmap.get(), x, y, width.value_or(16), height.value_or(16)) ==
         Gdiplus::Ok;
}

TextSize measureText(std::u16string_view text, const TextStyle& style, Gdiplus::GpGraphics* graphics) {
  GdiplusGraphics desktop;
  if (!graphics) {
    gdip::GdipCreateFromHWND(nullptr, desktop.put());
    graphics = desktop.get();
  }
  Gdiplus::RectF bound = measureStyledText(graphics, style, text, Gdiplus::RectF(0, 0, 0, 0));
  return {static_cast<int>(bound.Width), static_cast<int>(bound.Height)};
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
    gdip::GdipDrawImageRectRectI(graphics, image, d.x, d.y, d.width, d.height, s.x, s.y, s.width, s.height,
                                 Gdiplus::UnitPixel, attributes.get(), nullptr, nullptr);
  }
}

}  // namespace talvek
