#include "installer/ShortcutPlaces.h"

#include "installer/SpecialFolder.h"

namespace talvek {

ShortcutPlaces ShortcutPlaces::find(const FolderLookup& folderOf) {
  ShortcutPlaces places;
  places.desktopFolder = folderOf(kFolderDesktop);
  const std::string startMenu = folderOf(kFolderStartMenu);
  if (!startMenu.empty()) places.startMenuLink = startMenu + "Talvek.lnk";
  const std::string programs = folderOf(kFolderPrograms);
  if (!programs.empty()) {
    places.programsFolder = programs + "Talvek";
    places.programsLink = places.programsFolder + "\\启动Talvek.lnk";
  }
  return places;
}

}  // namespace talvek
