#include "installer/FolderDialog.h"

#include <shlobj.h>

#include "installer/InstallerState.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

// The dialog opens on the folder the installer remembers.
int CALLBACK selectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) {
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                 reinterpret_cast<LPARAM>(installerState().folderDialogStart.c_str()));
  }
  return 0;
}

std::string trimSpaces(const std::string& text) {
  auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string chooseFolder(const FolderDialogRequest& request) {
  // The new dialog style needs COM on this thread.
  ComApartment com;
  installerState().folderDialogStart = request.initialFolder;

  BROWSEINFOA browse{};
  browse.hwndOwner = request.owner;
  browse.lpszTitle = request.title.c_str();
  browse.ulFlags = (request.includeFiles ? BIF_BROWSEINCLUDEFILES : 0) | (request.editBox ? BIF_EDITBOX : 0) |
                   (request.newStyle ? BIF_NEWDIALOGSTYLE : 0);
  browse.lpfn = &selectStartFolder;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&browse);
  if (!chosen) return {};

  // Pre-filled with spaces: a failed conversion leaves only spaces, which
  // trim to nothing.
  std::string path(512, ' ');
  SHGetPathFromIDListA(chosen, path.data());
  CoTaskMemFree(chosen);
  path.resize(path.find('\0') == std::string::npos ? path.size() : path.find('\0'));
  return trimSpaces(path);
}

}  // namespace talvek
