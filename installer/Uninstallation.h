// Removing what the installer wrote, for the product's uninstaller.
#pragma once

#include <string>

namespace talvek {

enum class UninstallResult {
  Removed,             // everything the installer wrote that could go is gone
  NotAnInstallation,   // no "Talvek.exe" in the directory: nothing was touched
};

// `installDir` ends with a backslash. Ends the product's programs, removes
// its shortcuts, the "Talvek" URL-protocol keys that point into this
// directory, the uninstall entry that names this directory's remover, and
// the directory itself. `keepFile`, if given, is left in place (a running
// uninstaller cannot delete itself; it is removed after it ends).
UninstallResult uninstallProduct(const std::string& installDir, const std::string& keepFile = {});

}  // namespace talvek
