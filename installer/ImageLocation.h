// Whether a running program is one of ours: its image lies in our folder.
#pragma once

#include <string_view>

namespace talvek {

// True when `imagePath` names a file at any depth below `folder`. Letters
// compare without regard to case (callers fold what lies beyond ASCII), '/'
// and '\' alike, a "\\?\" or "\??\" prefix is ignored, and the folder ends
// at a separator: "C:\Talvek2\x.exe" is not in "C:\Talvek". An empty path
// or folder, or a relative folder, is never a match.
bool imageLiesInFolder(std::wstring_view imagePath, std::wstring_view folder);

}  // namespace talvek
