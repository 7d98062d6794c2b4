// The GDI+ objects a text style description turns into: string format,
// font, text brush and, for glowing text, the glow brush. Move-only; the
// objects are deleted with the style.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/GlowLayer.h"
#include "toolkit/core/TextStyleDescription.h"

namespace talvek {

class TextStyle {
 public:
  TextStyle() = default;
  // noWrap adds the no-wrap format flag; nearFlag gives a defaulted
  // description the single-line flag; typographic starts from the generic
  // typographic format. Controls pass all three false, the edit box true.
  static TextStyle build(const TextStyleDescription& description, bool noWrap = false, bool nearFlag = false,
                         bool typographic = false);

  Gdiplus::GpStringFormat* format() const { return format_.get(); }
  Gdiplus::GpFont* font() const { return font_.get(); }
  Gdiplus::GpBrush* textBrush() const { return textBrush_.get(); }
  Gdiplus::GpBrush* glowBrush() const { return glowBrush_.get(); }
  bool glows() const { return glow_; }
  // The kept halo of glowing text; null for a style without glow.
  GlowLayer* glowLayer() const { return glowLayer_.get(); }
  const TextStyleDescription& description() const { return description_; }
  // False for a style never built (or after free): drawing with it does nothing.
  bool usable() const { return format_ && font_ && textBrush_; }
  void free() { *this = TextStyle(); }

 private:
  GdiplusStringFormat format_;
  GdiplusFont font_;
  GdiplusBrush textBrush_;
  GdiplusBrush glowBrush_;
  bool glow_ = false;
  std::unique_ptr<GlowLayer> glowLayer_;
  TextStyleDescription description_;
};

// A description from its property text (see PropertyText.h): absent fields
// take the toolkit defaults; the font name is read in the system code page.
TextStyleDescription descriptionFromStyleText(std::string_view text);
// The property text of a description.
std::string styleTextOf(const TextStyleDescription& description);

}  // namespace talvek
