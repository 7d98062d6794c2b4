// Toolkit-wide text and drawing defaults. Each accessor replaces the value
// when one is given and returns the current value in every case; later
// changes reach only styles and forms made after them.
#pragma once

#include <optional>

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/TextStyleDescription.h"
#include "toolkit/core/WideText.h"

namespace talvek {

const WideText& defaultFontName(const std::optional<WideText>& newValue = std::nullopt);
// A GDI+ TextRenderingHint value.
int textRenderingHint(std::optional<int> newValue = std::nullopt);
int defaultFontSize(std::optional<int> newValue = std::nullopt);
Argb defaultTextColor(std::optional<Argb> newValue = std::nullopt);
int defaultFormStyle(std::optional<int> newValue = std::nullopt);
int defaultTextFlags(std::optional<int> newValue = std::nullopt);
// 0: controls switch to a new look at once; otherwise they blend into it.
int animatedTransitions(std::optional<int> newValue = std::nullopt);

inline constexpr int kSingleLineTextFlag = 32;

// The current defaults as a description; singleLine adds the single-line flag.
TextStyleDescription defaultTextStyle(bool singleLine);

// The values start-up gives the settings.
namespace startup_defaults {
inline constexpr int kTextRenderingHint = 3;  // anti-alias with grid fitting
inline constexpr int kFontSize = 12;
inline constexpr Argb kTextColor = colorFromRgb(0xFFFFFF, 254);
inline constexpr int kFormStyle = 47;
inline constexpr int kTextFlags = 4688;
inline constexpr int kAnimatedTransitions = 1;
}  // namespace startup_defaults

}  // namespace talvek
