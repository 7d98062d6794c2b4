// Separators in paths of the system code page (936). A '\\' or '/' byte
// that is the second byte of a two-byte character belongs to that
// character: "\x95\x5C" is one letter, not a letter and a separator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace talvek {

// Offsets of the bytes that separate path components, '\\' and '/' alike.
std::vector<std::size_t> separatorOffsets(std::string_view path);

bool endsWithSeparator(std::string_view path);

// The path with a '\\' appended unless it already ends in a separator;
// an empty path stays empty.
std::string withTrailingSeparator(std::string path);

// Everything before the last separator, a trailing one not counted;
// empty when there is none.
std::string parentDirectory(std::string_view path);

// Everything after the last separator; the whole path when there is none.
std::string_view fileNamePart(std::string_view path);

}  // namespace talvek
