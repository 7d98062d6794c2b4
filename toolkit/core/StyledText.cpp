#include "toolkit/core/StyledText.h"

#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

const WCHAR* wide(std::u16string_view text) { return reinterpret_cast<const WCHAR*>(text.data()); }
INT lengthOf(std::u16string_view text) { return static_cast<INT>(text.size()); }

GdiplusBitmap argbBitmap(int width, int height) {
  GdiplusBitmap bitmap;
  if (width < 1 || height < 1) return bitmap;
  gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, bitmap.put());
  return bitmap;
}

GdiplusGraphics graphicsOf(Gdiplus::GpBitmap* bitmap) {
  GdiplusGraphics graphics;
  if (bitmap) gdip::GdipGetImageGraphicsContext(bitmap, graphics.put());
  return graphics;
}

// The letters drawn in the glow colour, shrunk to a third and stretched
// back: the round trip through the small bitmap blurs them into a halo.
void drawGlow(Gdiplus::GpGraphics* target, const TextStyle& style, std::u16string_view text,
              const Gdiplus::RectF& layout) {
  const int width = static_cast<int>(layout.Width);
  const int height = static_cast<int>(layout.Height);
  GdiplusBitmap full = argbBitmap(width, height);
  GdiplusBitmap small = argbBitmap(width / 3, height / 3);
  GdiplusGraphics fullGraphics = graphicsOf(full.get());
  GdiplusGraphics smallGraphics = graphicsOf(small.get());
  // A layout under 3 pixels has no small bitmap: the letters go without glow.
  if (!fullGraphics || !smallGraphics) return;

  gdip::GdipSetTextRenderingHint(fullGraphics.get(), static_cast<Gdiplus::TextRenderingHint>(textRenderingHint()));
  Gdiplus::RectF origin(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
  gdip::GdipDrawString(fullGraphics.get(), wide(text), lengthOf(text), style.font(), &origin, style.format(),
                       style.glowBrush());

  gdip::GdipSetInterpolationMode(smallGraphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
  gdip::GdipSetCompositingQuality(smallGraphics.get(), Gdiplus::CompositingQualityHighQuality);
  gdip::GdipSetSmoothingMode(smallGraphics.get(), Gdiplus::SmoothingModeHighQuality);
  gdip::GdipDrawImageRectI(smallGraphics.get(), full.get(), 0, 0, width / 3, height / 3);

  gdip::GdipDrawImageRect(target, small.get(), layout.X, layout.Y, layout.Width, layout.Height);
}

}  // namespace

Gdiplus::RectF measureStyledText(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text,
                                 const Gdiplus::RectF& rectangle) {
  Gdiplus::RectF bound(0, 0, 0, 0);
  if (!graphics || !style.usable()) return bound;
  gdip::GdipMeasureString(graphics, wide(text), lengthOf(text), style.font(), &rectangle, style.format(), &bound,
                          nullptr, nullptr);
  return bound;
}

void drawTextInColor(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text,
                     const Gdiplus::RectF& rectangle, Argb color) {
  if (!graphics || !style.usable()) return;
  Gdiplus::GpSolidFill* fill = nullptr;
  if (gdip::GdipCreateSolidFill(color, &fill) != Gdiplus::Ok) return;
  GdiplusBrush brush(fill);
  gdip::GdipSetTextRenderingHint(graphics, static_cast<Gdiplus::TextRenderingHint>(textRenderingHint()));
  gdip::GdipDrawString(graphics, wide(text), lengthOf(text), style.font(), &rectangle, style.format(), brush.get());
}

void drawStyledText(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text,
                    const Gdiplus::RectF& rectangle, bool useRectangle) {
  if (!graphics || !style.usable()) return;
  Gdiplus::RectF layout = useRectangle ? rectangle : measureStyledText(graphics, style, text, rectangle);
  if (style.glows() && style.glowBrush()) drawGlow(graphics, style, text, layout);
  gdip::GdipSetTextRenderingHint(graphics, static_cast<Gdiplus::TextRenderingHint>(textRenderingHint()));
  gdip::GdipDrawString(graphics, wide(text), lengthOf(text), style.font(), &layout, style.format(),
                       style.textBrush());
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

}  // namespace talvek
