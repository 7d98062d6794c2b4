#include "toolkit/core/TextStyle.h"

#include <string>

#include "toolkit/core/PropertyText.h"
#include "toolkit/core/RoundRect.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

GdiplusStringFormat makeFormat(int flags, bool noWrap, bool typographic) {
  GdiplusStringFormat format;
  if (typographic) {
    Gdiplus::GpStringFormat* generic = nullptr;
    if (gdip::GdipStringFormatGetGenericTypographic(&generic) == Gdiplus::Ok) {
      // The generic format is shared; the style keeps its own copy.
      gdip::GdipCloneStringFormat(generic, format.put());
    }
  } else {
    gdip::GdipCreateStringFormat(0, LANG_NEUTRAL, format.put());
  }
  if (!format) return format;
  INT existing = 0;
  if (typographic) gdip::GdipGetStringFormatFlags(format.get(), &existing);
  gdip::GdipSetStringFormatFlags(format.get(), existing | stringFormatFlags(flags, noWrap));
  gdip::GdipSetStringFormatAlign(format.get(), static_cast<Gdiplus::StringAlignment>(horizontalAlignment(flags)));
  gdip::GdipSetStringFormatLineAlign(format.get(), static_cast<Gdiplus::StringAlignment>(lineAlignment(flags)));
  return format;
}

GdiplusFontFamily findFamily(const WideText& name) {
  GdiplusFontFamily family;
  if (!name.isEmpty()) {
    std::u16string wide = name.toUtf16();
    gdip::GdipCreateFontFamilyFromName(reinterpret_cast<const WCHAR*>(wide.c_str()), nullptr, family.put());
  }
  return family;
}

// A family that is not installed would leave the text undrawn; the default
// family, then the generic sans-serif one, stand in for it.
GdiplusFontFamily familyFor(const WideText& name) {
  GdiplusFontFamily family = findFamily(name);
  if (!family) family = findFamily(defaultFontName());
  if (!family) {
    Gdiplus::GpFontFamily* generic = nullptr;
    if (gdip::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok) gdip::GdipCloneFontFamily(generic, family.put());
  }
  return family;
}


}  // namespace

TextStyle TextStyle::build(const TextStyleDescription& description, bool noWrap, bool nearFlag, bool typographic) {
  TextStyle style;
  style.description_ = effectiveDescription(description, nearFlag);
  const TextStyleDescription& d = style.description_;
  style.format_ = makeFormat(d.styleFlags, noWrap, typographic);
  GdiplusFontFamily family = familyFor(d.fontName);
  if (family) {
    gdip::GdipCreateFont(family.get(), static_cast<Gdiplus::REAL>(d.fontSize), fontStyle(d.styleFlags),
                         Gdiplus::UnitWorld, style.font_.put());
  }
  style.glow_ = hasGlow(d.styleFlags);
  // A glow colour without alpha adds nothing to any pixel, so such a style
  // gets no halo at all: its blur costs a hundred times the letters, and the
  // default glow colour is that transparent one.
  if (style.glow_ && (d.glowColor >> 24) != 0) {
    style.glowBrush_ = solidBrush(d.glowColor);
    style.glowLayer_ = std::make_unique<GlowLayer>();
  }
  style.textBrush_ = solidBrush(d.textColor);
  return style;
}

TextStyleDescription descriptionFromStyleText(std::string_view text) {
  StyleText parsed = parseStyleText(text);
  std::optional<WideText> fontName;
  if (!parsed.fontName.empty()) {
    fontName.emplace();
    fontName->assignAnsi(parsed.fontName);
  }
  return describeTextStyle(parsed.flags, std::move(fontName), parsed.size, parsed.textColor, parsed.glowColor);
}

std::string styleTextOf(const TextStyleDescription& d) {
  return formatStyleText({d.styleFlags, d.fontName.toAnsi(), d.fontSize, d.textColor, d.glowColor});
}

}  // namespace talvek
