// Where the installer puts its shortcuts and the uninstaller looks for
// them. A folder the shell cannot name leaves its places empty: a link
// written there would land in whatever the current directory is.
#pragma once

#include <functional>
#include <string>

namespace talvek {

struct ShortcutPlaces {
  std::string desktopFolder;  // ends with a backslash
  std::string startMenuLink;
  std::string programsFolder;  // the product's own, without a trailing backslash
  std::string programsLink;

  // The folder of a code of SpecialFolder.h, with a trailing backslash, or
  // empty when it cannot be named.
  using FolderLookup = std::function<std::string(int folderCode)>;
  static ShortcutPlaces find(const FolderLookup& folderOf);
};

}  // namespace talvek
