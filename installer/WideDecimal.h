// A number's decimal digits as UTF-16. std::to_wstring formats through the
// C library's wide printf, which links a whole wide formatter (16 KiB of the file
// with its unwind tables) for what is a handful of digits.
#pragma once

#include <string>

namespace talvek {

inline std::wstring wideDecimal(unsigned long value) {
  const std::string digits = std::to_string(value);
  return std::wstring(digits.begin(), digits.end());
}

}  // namespace talvek
