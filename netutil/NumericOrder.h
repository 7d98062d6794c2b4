#pragma once

#include <string_view>

namespace talvek {

// A cell text read as a decimal integer: optional sign, then the leading
// digits; anything else reads as 0. Clamped to the 32-bit range.
long long leadingInteger(std::string_view text);

// Negative, zero or positive as `a` sorts before, with or after `b`.
int compareNumericTexts(std::string_view a, std::string_view b, bool descending);

}  // namespace talvek
