// A text style: the GDI+ string format, font and brushes built from a text
// style description, and the one routine that draws text with it (with
// an optional soft glow behind the letters).
#pragma once

#include <string>

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/Rect.h"
#include "toolkit/core/TextStyleDescription.h"

namespace talvek {

namespace text_flag {
inline constexpr int kBold = 1;
inline constexpr int kItalic = 2;
inline constexpr int kStrikeout = 4;
inline constexpr int kUnderline = 8;
inline constexpr int kAlignNear = 32;
inline constexpr int kAlignCentre = 64;
inline constexpr int kAlignFar = 128;
inline constexpr int kLineNear = 256;
inline constexpr int kLineCentre = 512;
inline constexpr int kLineFar = 1024;
inline constexpr int kVertical = 2048;
inline constexpr int kGlow = 4096;
}  // namespace text_flag

struct TextExtent {
  int width = 0;
  int height = 0;
};

class TextStyle {
 public:
  TextStyle() = default;
  // A description with font size 0 stands for the toolkit's default style.
  explicit TextStyle(const TextStyleDescription& description, bool noWrap = false);

  explicit operator bool() const { return font_ && format_; }
  const TextStyleDescription& description() const { return description_; }

  // In `rect` when useRect is set, otherwise in the measured extent of the
  // text starting at rect's origin.
  void draw(Gdiplus::GpGraphics* graphics, const std::u16string& text, const Rect& rect, bool useRect) const;
  // Truncated to whole pixels; measured on the desktop when no graphics is
  // given.
  TextExtent measure(const std::u16string& text, Gdiplus::GpGraphics* graphics = nullptr) const;

 private:
  Gdiplus::RectF layout(Gdiplus::GpGraphics* graphics, const std::u16string& text, const Rect& rect,
                        bool useRect) const;
  void drawGlow(Gdiplus::GpGraphics* graphics, const std::u16string& text, const Gdiplus::RectF& area) const;

  TextStyleDescription description_;
  GdiplusStringFormat format_;
  GdiplusFont font_;
  GdiplusBrush textBrush_;
  GdiplusBrush glowBrush_;
};

}  // namespace talvek
