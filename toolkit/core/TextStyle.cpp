#include "toolkit/core/TextStyle.h"

#include "toolkit/core/RoundRect.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

const WCHAR* wide(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// First of the three bits that is set: near, centre, far; none is near.
Gdiplus::StringAlignment alignmentOf(int flags, int nearBit, int centreBit, int farBit) {
  if (flags & nearBit) return Gdiplus::StringAlignmentNear;
  if (flags & centreBit) return Gdiplus::StringAlignmentCenter;
  if (flags & farBit) return Gdiplus::StringAlignmentFar;
  return Gdiplus::StringAlignmentNear;
}

int fontStyleOf(int flags) {
  int style = Gdiplus::FontStyleRegular;
  if (flags & text_flag::kBold) style |= Gdiplus::FontStyleBold;
  if (flags & text_flag::kItalic) style |= Gdiplus::FontStyleItalic;
  if (flags & text_flag::kUnderline) style |= Gdiplus::FontStyleUnderline;
  if (flags & text_flag::kStrikeout) style |= Gdiplus::FontStyleStrikeout;
  return style;
}

}  // namespace

TextStyle::TextStyle(const TextStyleDescription& given, bool noWrap) : description_(given) {
  if (description_.fontSize == 0) description_ = defaultTextStyle(false);
  const int flags = description_.styleFlags;

  gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, format_.put());
  INT formatFlags = Gdiplus::StringFormatFlagsMeasureTrailingSpaces | Gdiplus::StringFormatFlagsNoFontFallback;
  if (flags & text_flag::kVertical) formatFlags |= Gdiplus::StringFormatFlagsDirectionVertical;
  if (noWrap) formatFlags |= Gdiplus::StringFormatFlagsNoWrap;
  gdip::GdipSetStringFormatFlags(format_.get(), formatFlags);
  gdip::GdipSetStringFormatAlign(format_.get(),
                                 alignmentOf(flags, text_flag::kAlignNear, text_flag::kAlignCentre, text_flag::kAlignFar));
  gdip::GdipSetStringFormatLineAlign(format_.get(),
                                     alignmentOf(flags, text_flag::kLineNear, text_flag::kLineCentre, text_flag::kLineFar));

  const WideText& name = description_.fontName.isEmpty() ? defaultFontName() : description_.fontName;
  const std::u16string family = name.toUtf16();
  GdiplusFontFamily fontFamily;
  if (gdip::GdipCreateFontFamilyFromName(wide(family), nullptr, fontFamily.put()) == Gdiplus::Ok) {
    gdip::GdipCreateFont(fontFamily.get(), static_cast<Gdiplus::REAL>(description_.fontSize), fontStyleOf(flags),
                         Gdiplus::UnitWorld, font_.put());
  }
  if (flags & text_flag::kGlow) glowBrush_ = solidBrush(description_.glowColor);
  textBrush_ = solidBrush(description_.textColor);
}

Gdiplus::RectF TextStyle::layout(Gdiplus::GpGraphics* graphics, const std::u16string& text, const Rect& rect,
                                 bool useRect) const {
  Gdiplus::RectF given(static_cast<Gdiplus::REAL>(rect.x), static_cast<Gdiplus::REAL>(rect.y),
                       static_cast<Gdiplus::REAL>(rect.width), static_cast<Gdiplus::REAL>(rect.height));
  if (useRect) return given;
  Gdiplus::RectF measured{};
  gdip::GdipMeasureString(graphics, wide(text), -1, font_.get(), &given, format_.get(), &measured, nullptr, nullptr);
  return measured;
}

void TextStyle::drawGlow(Gdiplus::GpGraphics* graphics, const std::u16string& text, const Gdiplus::RectF& area) const {
  // Shrinking the letters to a third and stretching them back blurs them
  // into a halo.
  const INT width = static_cast<INT>(area.Width), height = static_cast<INT>(area.Height);
  if (width < 3 || height < 3) return;
  GdiplusBitmap letters, small;
  GdiplusGraphics lettersGraphics, smallGraphics;
  if (gdip::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, letters.put()) != Gdiplus::Ok ||
      gdip::GdipCreateBitmapFromScan0(width / 3, height / 3, 0, PixelFormat32bppARGB, nullptr, small.put()) != Gdiplus::Ok ||
      gdip::GdipGetImageGraphicsContext(letters.get(), lettersGraphics.put()) != Gdiplus::Ok ||
      gdip::GdipGetImageGraphicsContext(small.get(), smallGraphics.put()) != Gdiplus::Ok) {
    return;
  }
  gdip::GdipSetTextRenderingHint(lettersGraphics.get(), static_cast<Gdiplus::TextRenderingHint>(textRenderingHint()));
  Gdiplus::RectF whole(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
  gdip::GdipDrawString(lettersGraphics.get(), wide(text), -1, font_.get(), &whole, format_.get(), glowBrush_.get());
  gdip::GdipSetInterpolationMode(smallGraphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
  gdip::GdipSetCompositingQuality(smallGraphics.get(), Gdiplus::CompositingQualityHighQuality);
  gdip::GdipSetSmoothingMode(smallGraphics.get(), Gdiplus::SmoothingModeHighQuality);
  gdip::GdipDrawImageRectI(smallGraphics.get(), letters.get(), 0, 0, width / 3, height / 3);
  gdip::GdipDrawImageRect(graphics, small.get(), area.X, area.Y, area.Width, area.Height);
}

void TextStyle::draw(Gdiplus::GpGraphics* graphics, const std::u16string& text, const Rect& rect, bool useRect) const {
  if (!graphics || !*this) return;
  Gdiplus::RectF area = layout(graphics, text, rect, useRect);
  if (glowBrush_) drawGlow(graphics, text, area);
  gdip::GdipSetTextRenderingHint(graphics, static_cast<Gdiplus::TextRenderingHint>(textRenderingHint()));
  gdip::GdipDrawString(graphics, wide(text), -1, font_.get(), &area, format_.get(), textBrush_.get());
}

TextExtent TextStyle::measure(const std::u16string& text, Gdiplus::GpGraphics* graphics) const {
  if (!*this) return {};
  GdiplusGraphics desktop;
  if (!graphics) {
    gdip::GdipCreateFromHWND(nullptr, desktop.put());
    graphics = desktop.get();
  }
  Gdiplus::RectF empty{};
  Gdiplus::RectF measured{};
  gdip::GdipMeasureString(graphics, wide(text), -1, font_.get(), &empty, format_.get(), &measured, nullptr, nullptr);
  return {static_cast<int>(measured.Width), static_cast<int>(measured.Height)};
}

}  // namespace talvek
