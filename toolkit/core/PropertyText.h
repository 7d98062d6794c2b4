// The text form of control properties set and listed by name (the
// designer-style property lists of the progress indicator and the edit
// box): numbers, colours and text style descriptions as texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "toolkit/core/ArgbColor.h"

namespace talvek {

struct PropertyEntry {
  std::string name;
  std::string label;  // system code page
  std::string value;
};

// Numbers: leading decimal number ("12.5", "-3"); a text that does not
// start with one reads as 0.
double propertyNumber(std::string_view text);
// Colours: decimal (negative values wrap to 32 bits) or hexadecimal with
// "0x" or "#"; anything else reads as 0.
Argb propertyColor(std::string_view text);

std::string numberPropertyText(double value);
std::string colorPropertyText(Argb color);  // "0xAARRGGBB"

// A text style description as text: "flags,font name,size,text colour,glow
// colour". Empty or missing fields are absent (the toolkit default applies);
// the font name is in the system code page and may not contain a comma.
struct StyleText {
  std::optional<int> flags;
  std::string fontName;  // empty: absent
  std::optional<int> size;
  std::optional<Argb> textColor;
  std::optional<Argb> glowColor;
};
StyleText parseStyleText(std::string_view text);
std::string formatStyleText(const StyleText& style);

}  // namespace talvek
