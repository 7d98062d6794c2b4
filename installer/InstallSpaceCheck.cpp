#include "installer/InstallSpaceCheck.h"

#include <windows.h>

#include "installer/ArchiveListing.h"
#include "installer/FolderListing.h"
#include "installer/GbkPath.h"
#include "installer/InstallLog.h"
#include "installer/KeepAside.h"
#include "installer/PathChecks.h"
#include "installer/SpaceNeed.h"

namespace talvek {
namespace {

struct DriveSpace {
  std::uint64_t freeBytes = 0;
  std::uint64_t clusterBytes = 0;
};

std::optional<DriveSpace> driveSpaceOf(std::string dir) {
  while (!dir.empty() && !isDirectory(dir)) dir = withTrailingSeparator(parentDirectory(dir));
  ULARGE_INTEGER available{};
  if (dir.empty() || !GetDiskFreeSpaceExA(dir.c_str(), &available, nullptr, nullptr)) return std::nullopt;
  DriveSpace space{available.QuadPart, 0};
  char root[MAX_PATH];
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (GetVolumePathNameA(dir.c_str(), root, sizeof root) &&
      GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters)) {
    space.clusterBytes = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
  }
  // Without a cluster size, the usual one of NTFS.
  if (space.clusterBytes == 0) space.clusterBytes = 4096;
  return space;
}

}  // namespace

std::optional<SpaceShortfall> findSpaceShortfall(const std::string& installDir, std::span<const std::uint8_t> payload) {
  const StepClock clock;
  const auto space = driveSpaceOf(installDir);
  if (!space) {
    installLog().record("check space", "skipped", installDir + ": the drive does not tell its free space",
                        std::nullopt, GetLastError());
    return std::nullopt;
  }
  SpaceFigures figures;
  figures.clusterBytes = space->clusterBytes;
  figures.archiveBytes = payload.size();
  if (const auto entries = listArchive(payload)) {
    const bool exists = isDirectory(installDir);
    FolderListing listing(installDir);
    const KeepAsidePlan plan = planKeepAside(*entries, [&](const std::string& relative) {
      return exists ? listing.look(relative) : Found{};
    });
    for (const auto& entry : *entries) {
      if (entry.directory) {
        ++figures.directories;
      } else {
        figures.newFileSizes.push_back(entry.size);
      }
    }
    figures.replacedFileSizes = plan.replacedFileSizes;
  }
  const std::uint64_t needed = SpaceNeed::bytesNeeded(figures);
  const bool enough = space->freeBytes >= needed;
  installLog().record("check space", enough ? "ok" : "REFUSED",
                      installDir + ": " + std::to_string(needed) + " bytes needed, " +
                          std::to_string(space->freeBytes) + " free, clusters of " +
                          std::to_string(space->clusterBytes),
                      clock.elapsed());
  if (enough) return std::nullopt;
  return SpaceShortfall{needed, space->freeBytes};
}

}  // namespace talvek
