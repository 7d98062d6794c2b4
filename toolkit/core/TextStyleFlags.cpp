#include "toolkit/core/TextStyleFlags.h"

#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

int alignment(int flags, int nearBit, int centerBit, int farBit) {
  if (flags & nearBit) return 0;
  if (flags & centerBit) return 1;
  if (flags & farBit) return 2;
  return 0;
}

constexpr int kFormatDirectionVertical = 0x2;
constexpr int kFormatNoFontFallback = 0x400;
constexpr int kFormatMeasureTrailingSpaces = 0x800;
constexpr int kFormatNoWrap = 0x1000;

constexpr int kFontBold = 1;
constexpr int kFontItalic = 2;
constexpr int kFontUnderline = 4;
constexpr int kFontStrikeout = 8;

}  // namespace

int horizontalAlignment(int flags) {
  return alignment(flags, style_flag::kAlignNear, style_flag::kAlignCenter, style_flag::kAlignFar);
}

int lineAlignment(int flags) {
  return alignment(flags, style_flag::kLineNear, style_flag::kLineCenter, style_flag::kLineFar);
}

int fontStyle(int flags) {
  int style = 0;
  if (flags & style_flag::kBold) style |= kFontBold;
  if (flags & style_flag::kItalic) style |= kFontItalic;
  if (flags & style_flag::kUnderline) style |= kFontUnderline;
  if (flags & style_flag::kStrikeout) style |= kFontStrikeout;
  return style;
}

int stringFormatFlags(int flags, bool noWrap) {
  int format = kFormatMeasureTrailingSpaces | kFormatNoFontFallback;
  if (flags & style_flag::kVertical) format |= kFormatDirectionVertical;
  if (noWrap) format |= kFormatNoWrap;
  return format;
}

bool hasGlow(int flags) { return (flags & style_flag::kGlow) != 0; }

TextStyleDescription describeTextStyle(std::optional<int> flags, std::optional<WideText> fontName,
                                       std::optional<int> fontSize, std::optional<Argb> textColor,
                                       std::optional<Argb> glowColor) {
  TextStyleDescription defaults = defaultTextStyle(false);
  TextStyleDescription d;
  d.styleFlags = flags.value_or(defaults.styleFlags);
  d.fontName = fontName ? std::move(*fontName) : defaults.fontName;
  d.fontSize = fontSize.value_or(defaults.fontSize);
  d.textColor = textColor.value_or(defaults.textColor);
  d.glowColor = glowColor.value_or(defaults.glowColor);
  return d;
}

TextStyleDescription effectiveDescription(const TextStyleDescription& description, bool nearFlag) {
  if (description.fontSize != 0) return description;
  return defaultTextStyle(nearFlag);
}

}  // namespace talvek
