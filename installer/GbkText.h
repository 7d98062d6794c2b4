// Byte rules of code page 936 (GBK), the system code page of the target
// systems, for code that must walk narrow text without <windows.h>.
#pragma once

#include <cstddef>
#include <string_view>

namespace talvek {

inline bool isGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool isGbkTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Length in bytes (1 or 2) of the character starting at `at`. A lead byte
// without a valid trail byte stands alone, as Windows reads it: a ':' or
// '/' after a stray lead byte is still a colon or a separator.
inline std::size_t gbkCharLength(std::string_view text, std::size_t at) {
  if (at + 1 < text.size() && isGbkLeadByte(static_cast<unsigned char>(text[at])) &&
      isGbkTrailByte(static_cast<unsigned char>(text[at + 1]))) {
    return 2;
  }
  return 1;
}

}  // namespace talvek
