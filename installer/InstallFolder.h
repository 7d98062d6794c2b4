// The installation folder, held from the moment the install click accepts
// it until the installer ends: opened once, checked to be a plain folder
// and not a link, and kept open without delete sharing, so nobody can
// rename it away and put a link in its place. The preparation, the space
// check, the keep-aside and the extraction ask this object rather than the
// file system again by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "installer/LinkSafeFiles.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

struct DriveSpace {
  std::uint64_t freeBytes = 0;
  std::uint64_t clusterBytes = 0;
};

class InstallFolder {
 public:
  enum class Outcome { Held, Missing, Link, Failed };

  // Holds `path` (ending in a separator) when it is a plain folder; the
  // folder held before, if any, is let go first. Failed and Link leave the
  // system's error.
  Outcome hold(const std::string& path);
  // Creates the last level of `path` (its parent must exist) and holds it;
  // a roll-back removes it again when it is left empty.
  Outcome create(const std::string& path);
  // Lets go of the folder (and removes it when this run made it and it is
  // empty): after a failed installation, nothing the click made stays.
  void releaseAfterFailure();

  bool held() const { return static_cast<bool>(handle_); }
  bool heldAt(const std::string& path) const;
  const FolderRoot& root() const { return root_; }
  HANDLE handle() const { return handle_.get(); }
  // The drive's room, asked of the held folder; of the nearest existing
  // folder above `path` while none is held.
  static std::optional<DriveSpace> driveSpace(const std::string& path);
  std::optional<DriveSpace> driveSpace() const;

 private:
  FolderRoot root_;
  Handle handle_;
  bool made_ = false;
};

}  // namespace talvek
