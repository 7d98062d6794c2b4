// The installer's process-wide state, written on the UI thread.
#pragma once

#include <string>

namespace talvek {

struct InstallerState {
  // Empty until the install button is accepted; then the path-box text, which
  // always ends with a backslash. File paths are formed by appending names.
  std::string installDir;
  // What the folder dialog selects when it opens.
  std::string folderDialogStart;
};

InstallerState& installerState();

}  // namespace talvek
