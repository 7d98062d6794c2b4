// How the desktop shortcut's file name, working directory and icon are
// derived from what the caller gives. Paths are GBK text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvek {

// The link file path in `folder` (which ends with a backslash): only the
// file-name part of `name` is used, and ".lnk" is appended unless the name
// already holds it (any letter case).
std::string desktopLinkPath(std::string_view folder, std::string_view name);

// Every part of the target but the last, each followed by a backslash; nothing
// when the target has fewer than two parts.
std::optional<std::string> workingDirectoryOf(std::string_view target);

// The given icon location; else "SHELL32.dll,4" for a target without an
// extension, else the target's first icon.
std::string iconLocationFor(std::string_view target, const std::optional<std::string>& given);

}  // namespace talvek
