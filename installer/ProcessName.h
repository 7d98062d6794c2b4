// How the installer compares executable names from a process snapshot.
#pragma once

#include <string_view>

namespace talvek {

// Compares two names in the system code page (GBK). Without case sensitivity
// only ASCII A-Z fold to a-z; a two-byte character is compared as it is, so
// a trail byte that happens to look like a letter is never folded.
bool sameProcessName(std::string_view a, std::string_view b, bool caseSensitive);

}  // namespace talvek
