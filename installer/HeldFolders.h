// The folders the installer writes into or moves into below a folder (the
// extraction's destination, the keep-aside's mirror, the places a roll-back
// puts kept paths back to). Each is made, or found to be a plain folder
// where it was named, once, and held open until this object ends: nobody
// can then rename or remove it, so no link can take its place between that
// check and what is written or moved into it. A folder held for an earlier
// path costs nothing.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "installer/LinkSafeFiles.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class HeldFolders {
 public:
  enum class Missing { Make, Fail };

  // `root` is not held here; its own holder keeps it in place.
  HeldFolders(FolderRoot root, HANDLE rootHandle, Missing missing = Missing::Make)
      : root_(std::move(root)), rootHandle_(rootHandle), missing_(missing) {}

  // `relative` ('\\'-separated, no trailing separator; "" is the root) and
  // every folder above it. Link when one of them is a link or reached
  // through one; Failed, with the system's error, when one cannot be made
  // or opened.
  LinkSafe hold(const std::string& relative);
  // The held folder's handle, for moves into it; null when it is not held.
  HANDLE handleOf(const std::string& relative) const;
  const FolderRoot& root() const { return root_; }

 private:
  FolderRoot root_;
  HANDLE rootHandle_;
  Missing missing_;
  std::map<std::string, Handle> held_;
};

}  // namespace talvek
