// Writing shortcut files: the desktop one through the scripting shell's
// automation object, the start-menu ones through the shell-link object.
// Both need COM initialised on the calling thread.
#pragma once

#include <optional>
#include <string>

namespace talvek {

struct DesktopShortcut {
  std::string name;    // file name; ".lnk" is added unless present
  std::string target;  // full path of the program
  std::string arguments;
  std::optional<std::string> iconLocation;
  int windowStyle = 0;
  std::string description;
  std::string hotkey;
};

// Replaces any existing link in `folder` (ending with a backslash). True
// when the shortcut was saved (the result of the final save itself is not
// known to the caller); false without a folder.
bool createDesktopShortcut(const DesktopShortcut& shortcut, const std::string& folder);
// The same, on the desktop.
bool createDesktopShortcut(const DesktopShortcut& shortcut);

struct ShellLink {
  std::string linkPath;  // ".lnk" is added when the path holds no dot at all
  std::string target;
  std::optional<std::string> description;
  std::optional<std::string> arguments;
  std::optional<std::string> workingDirectory;
};

bool createShellLink(const ShellLink& link);

}  // namespace talvek
