// Conversions between UTF-8, UTF-16LE and the Chinese code page 936 that
// web pages and answers need.
#pragma once

#include <string>
#include <string_view>

namespace talvek {

// Zero-terminated UTF-8 text to UTF-16LE bytes, terminating zero unit included.
std::string toUtf16(std::string_view utf8);
// UTF-16LE bytes, up to their first zero unit, to code page 936 text.
std::string fromUtf16(std::string_view utf16);
// UTF-8 bytes to UTF-16LE bytes, no terminator.
std::string utf8ToUtf16(std::string_view utf8);
// UTF-8 bytes to code page 936 bytes.
std::string utf8ToGbk(std::string_view utf8);
// percentDecodeBytes; with `utf8` the decoded bytes are read as UTF-8 and
// converted to code page 936.
std::string percentDecode(std::string_view text, bool utf8 = false);

}  // namespace talvek
