// Removing what the installer wrote, for the product's uninstaller.
#pragma once

#include <string>
#include <vector>

#include "installer/LeftBehind.h"

namespace talvek {

enum class UninstallResult {
  Removed,            // everything the installer wrote that could go is gone
  NotAnInstallation,  // no "Talvek.exe", nor the folder the uninstall entry names: nothing was touched
  Incomplete,         // something stayed: the uninstall entry stays too, for another try
};

struct UninstallOutcome {
  UninstallResult result = UninstallResult::NotAnInstallation;
  std::vector<LeftBehind> left;  // what stayed, with Incomplete
};

// `installDir` ends with a backslash. Ends the product's programs, removes
// its shortcuts, the "Talvek" URL-protocol keys that point into this
// directory and the directory itself; "Talvek.exe" and "Remover.exe" go
// last, and the uninstall entry that names this directory's remover only
// once everything else is gone, so that a failed removal can be tried
// again from the same entry. `keepFile`, if given, is left in place (a
// running uninstaller cannot delete itself).
UninstallOutcome uninstallProduct(const std::string& installDir, const std::string& keepFile = {});

}  // namespace talvek
