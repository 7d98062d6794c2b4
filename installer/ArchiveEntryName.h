// Turns a ZIP entry name into a path below the destination directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvek {

// The entry name as a relative Windows path (separators as backslashes), or
// nothing when the name would leave the destination: empty, absolute (leading
// separator), a drive letter or other colon, or a ".." component. Names are
// in the system code page; a trail byte equal to '\\' or '/' is part of its
// two-byte character, not a separator.
std::optional<std::string> safeRelativePath(std::string_view entryName);

}  // namespace talvek
