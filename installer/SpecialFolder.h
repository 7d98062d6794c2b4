// The folders shortcuts go to, by the installer's own folder codes.
#pragma once

#include <string>

namespace talvek {

enum FolderCode : int {
  kFolderDocuments = 1,
  kFolderFavorites = 2,
  kFolderDesktop = 3,  // the default
  kFolderFonts = 4,
  kFolderStartMenu = 5,
  kFolderPrograms = 6,
  kFolderStartup = 7,
  kFolderAppData = 8,
  kFolderWindows = 9,
  kFolderSystem = 10,
  kFolderTemp = 11,
  kFolderInternetCache = 12,
};

// The folder with a trailing backslash, or empty when the lookup fails or
// the code is unknown. Folders are not created.
std::string specialFolder(int code = kFolderDesktop);

}  // namespace talvek
