// The small record a text style is built from: flags (bold, italic,
// alignment, glow, ...), font family, em size and the two brush colours.
#pragma once

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/WideText.h"

namespace talvek {

struct TextStyleDescription {
  int styleFlags = 0;
  WideText fontName;  // empty: the toolkit's default family
  int fontSize = 0;
  Argb textColor = 0;
  Argb glowColor = 0;
};

}  // namespace talvek
