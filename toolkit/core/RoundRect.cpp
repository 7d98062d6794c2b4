#include "toolkit/core/RoundRect.h"

namespace talvek {
namespace {

GdiplusPen pen(Argb colour, float width) {
  GdiplusPen made;
  gdip::GdipCreatePen1(colour, width, Gdiplus::UnitPixel, made.put());
  return made;
}

}  // namespace

GdiplusBrush solidBrush(Argb colour) {
  Gdiplus::GpSolidFill* brush = nullptr;
  gdip::GdipCreateSolidFill(colour, &brush);
  return GdiplusBrush(brush);
}

GdiplusPath roundRectPath(int x, int y, int width, int height, int radius) {
  GdiplusPath path;
  if (gdip::GdipCreatePath(Gdiplus::FillModeAlternate, path.put()) != Gdiplus::Ok) return {};
  const int d = 2 * radius;
  gdip::GdipAddPathArcI(path.get(), x, y, d, d, 180, 90);
  gdip::GdipAddPathArcI(path.get(), x + width - d, y, d, d, 270, 90);
  gdip::GdipAddPathArcI(path.get(), x + width - d, y + height - d, d, d, 0, 90);
  gdip::GdipAddPathArcI(path.get(), x, y + height - d, d, d, 90, 90);
  gdip::GdipClosePathFigure(path.get());
  return path;
}

bool fillRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height) {
  GdiplusBrush brush = solidBrush(colour);
  return brush && gdip::GdipFillRectangleI(graphics, brush.get(), x, y, width, height) == Gdiplus::Ok;
}

bool fillPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb colour) {
  GdiplusBrush brush = solidBrush(colour);
  return brush && path && gdip::GdipFillPath(graphics, brush.get(), path) == Gdiplus::Ok;
}

bool fillRoundRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height, int radius) {
  if (radius < 1) return fillRect(graphics, colour, x, y, width, height);
  GdiplusPath path = roundRectPath(x, y, width, height, radius);
  return fillPath(graphics, path.get(), colour);
}

bool drawRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height, int penWidth) {
  GdiplusPen outline = pen(colour, static_cast<float>(penWidth > 0 ? penWidth : 1));
  return outline && gdip::GdipDrawRectangleI(graphics, outline.get(), x, y, width, height) == Gdiplus::Ok;
}

bool drawPath(Gdiplus::GpGraphics* graphics, Gdiplus::GpPath* path, Argb colour, float penWidth) {
  GdiplusPen outline = pen(colour, penWidth);
  return outline && path && gdip::GdipDrawPath(graphics, outline.get(), path) == Gdiplus::Ok;
}

bool drawRoundRect(Gdiplus::GpGraphics* graphics, Argb colour, int x, int y, int width, int height, int radius,
                   int penWidth) {
  if (penWidth == 0) penWidth = 1;
  if (radius < 1) return drawRect(graphics, colour, x, y, width, height, penWidth);
  GdiplusPath path = roundRectPath(x, y, width, height, radius);
  return drawPath(graphics, path.get(), colour, static_cast<float>(penWidth));
}

}  // namespace talvek
