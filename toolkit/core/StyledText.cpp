#include "toolkit/core/StyledText.h"

#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

const WCHAR* wide(std::u16string_view text) { return reinterpret_cast<const WCHAR*>(text.data()); }
INT lengthOf(std::u16string_view text) { return static_cast<INT>(text.size()); }

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
  if (style.glows() && style.glowBrush() && style.glowLayer()) {
    style.glowLayer()->draw(graphics, style.font(), style.format(), style.glowBrush(), text, layout);
  }
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
