#include "installer/SpecialFolder.h"

#include <windows.h>

#include <shlobj.h>

#include "installer/GbkPath.h"

namespace talvek {
namespace {

int shellFolderId(int code) {
  switch (code) {
    case kFolderDocuments: return CSIDL_PERSONAL;
    case kFolderFavorites: return CSIDL_FAVORITES;
    case kFolderDesktop: return CSIDL_DESKTOPDIRECTORY;
    case kFolderFonts: return CSIDL_FONTS;
    case kFolderStartMenu: return CSIDL_STARTMENU;
    case kFolderPrograms: return CSIDL_PROGRAMS;
    case kFolderStartup: return CSIDL_STARTUP;
    case kFolderAppData: return CSIDL_APPDATA;
    case kFolderInternetCache: return CSIDL_INTERNET_CACHE;
    default: return -1;
  }
}

}  // namespace

std::string specialFolder(int code) {
  char path[MAX_PATH] = {};
  switch (code) {
    case kFolderWindows:
      return withTrailingSeparator(std::string(path, GetWindowsDirectoryA(path, MAX_PATH)));
    case kFolderSystem:
      return withTrailingSeparator(std::string(path, GetSystemDirectoryA(path, MAX_PATH)));
    case kFolderTemp:
      return withTrailingSeparator(std::string(path, GetTempPathA(MAX_PATH, path)));
    default: {
      int id = shellFolderId(code);
      if (id < 0 || !SHGetSpecialFolderPathA(nullptr, path, id, FALSE)) return {};
      return withTrailingSeparator(path);
    }
  }
}

}  // namespace talvek
