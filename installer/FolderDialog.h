// The system folder dialog, as the browse button uses it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace talvek {

inline constexpr char kDefaultFolderDialogTitle[] = "请选择一个文件夹";
inline constexpr char kInstallFolderDialogTitle[] = "请选择您需要安装的目录";

struct FolderDialogRequest {
  std::string title = kDefaultFolderDialogTitle;
  bool includeFiles = false;
  std::string initialFolder;  // becomes the installer's folderDialogStart
  bool editBox = false;
  bool newStyle = true;
  HWND owner = nullptr;
};

// The chosen folder's path, or empty when the user cancels or picks
// something that is not a file-system folder.
std::string chooseFolder(const FolderDialogRequest& request);

}  // namespace talvek
