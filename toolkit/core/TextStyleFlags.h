// How the bits of a text style description's flags map to GDI+ settings,
// and descriptions with omitted fields filled from the toolkit defaults.
#pragma once

#include <optional>

#include "toolkit/core/TextStyleDescription.h"

namespace talvek {

namespace style_flag {
inline constexpr int kBold = 1;
inline constexpr int kItalic = 2;
inline constexpr int kStrikeout = 4;
inline constexpr int kUnderline = 8;
inline constexpr int kAlignNear = 32;
inline constexpr int kAlignCenter = 64;
inline constexpr int kAlignFar = 128;
inline constexpr int kLineNear = 256;
inline constexpr int kLineCenter = 512;
inline constexpr int kLineFar = 1024;
inline constexpr int kVertical = 2048;
inline constexpr int kGlow = 4096;
}  // namespace style_flag

// GDI+ StringAlignment values: near 0, centre 1, far 2. The first of the
// near/centre/far bits wins; none set is near.
int horizontalAlignment(int flags);
int lineAlignment(int flags);
// GDI+ FontStyle: bold 1, italic 2, underline 4, strikeout 8.
int fontStyle(int flags);
// GDI+ StringFormatFlags: trailing spaces measured and no font fallback
// always, vertical direction with bit 2048, no-wrap when asked.
int stringFormatFlags(int flags, bool noWrap);
bool hasGlow(int flags);

// A description with every omitted field taken from the toolkit defaults.
TextStyleDescription describeTextStyle(std::optional<int> flags = std::nullopt,
                                       std::optional<WideText> fontName = std::nullopt,
                                       std::optional<int> fontSize = std::nullopt,
                                       std::optional<Argb> textColor = std::nullopt,
                                       std::optional<Argb> glowColor = std::nullopt);

// What a style is built from: a description with size 0 is replaced as a
// whole by the defaults (near adds the single-line flag to them).
TextStyleDescription effectiveDescription(const TextStyleDescription& description, bool nearFlag);

}  // namespace talvek
