#include "installer/InstallFolder.h"

#include <windows.h>

#include "installer/GbkPath.h"
#include "installer/PathChecks.h"

namespace talvek {

InstallFolder::Outcome InstallFolder::hold(const std::string& path) {
  handle_.reset();
  made_ = false;
  switch (holdRoot(path, root_, handle_)) {
    case LinkSafe::Done: return Outcome::Held;
    case LinkSafe::Link: return Outcome::Link;
    case LinkSafe::Failed: break;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Outcome::Missing : Outcome::Failed;
}

InstallFolder::Outcome InstallFolder::create(const std::string& path) {
  handle_.reset();
  made_ = false;
  // Only the last level: a folder chosen in the dialog and removed since
  // makes this fail, as it should.
  if (!CreateDirectoryA(path.c_str(), nullptr)) return Outcome::Failed;
  const Outcome outcome = hold(path);
  made_ = outcome == Outcome::Held;
  if (outcome == Outcome::Missing) SetLastError(ERROR_PATH_NOT_FOUND);
  return outcome == Outcome::Missing ? Outcome::Failed : outcome;
}

void InstallFolder::releaseAfterFailure() {
  const std::string path = root_.path;
  const bool made = made_;
  handle_.reset();
  made_ = false;
  // By name, once let go: an empty folder, or whatever took its place
  // meanwhile, is removed itself, never what a link there points to.
  if (made) RemoveDirectoryA(path.c_str());
}

bool InstallFolder::heldAt(const std::string& path) const { return held() && samePath(root_.path, path); }

std::optional<DriveSpace> InstallFolder::driveSpace(const std::string& path) {
  std::string dir = path;
  while (!dir.empty() && !isDirectory(dir)) dir = withTrailingSeparator(parentDirectory(dir));
  ULARGE_INTEGER available{};
  if (dir.empty() || !GetDiskFreeSpaceExA(dir.c_str(), &available, nullptr, nullptr)) return std::nullopt;
  DriveSpace space{available.QuadPart, 0};
  char volume[MAX_PATH];
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (GetVolumePathNameA(dir.c_str(), volume, sizeof volume) &&
      GetDiskFreeSpaceA(volume, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
    space.clusterBytes = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
  }
  // Without a cluster size, the usual one of NTFS.
  if (space.clusterBytes == 0) space.clusterBytes = 4096;
  return space;
}

std::optional<DriveSpace> InstallFolder::driveSpace() const {
  // Where the held folder lies, not wherever its name leads by now.
  return held() ? driveSpace(root_.finalPath) : std::nullopt;
}

}  // namespace talvek
