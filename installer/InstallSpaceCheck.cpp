#include "installer/InstallSpaceCheck.h"

#include <windows.h>

#include "installer/ArchiveListing.h"
#include "installer/FolderListing.h"
#include "installer/InstallFolder.h"
#include "installer/InstallLog.h"
#include "installer/SpaceNeed.h"

namespace talvek {

std::optional<SpaceShortfall> findSpaceShortfall(const std::string& installDir, const InstallFolder& folder,
                                                 std::span<const std::uint8_t> payload) {
  const StepClock clock;
  const auto space = folder.held() ? folder.driveSpace() : InstallFolder::driveSpace(installDir);
  if (!space) {
    installLog().record("check space", "skipped", installDir + ": the drive does not tell its free space", std::nullopt,
                        GetLastError());
    return std::nullopt;
  }
  SpaceFigures figures;
  figures.clusterBytes = space->clusterBytes;
  figures.archiveBytes = payload.size();
  if (const auto entries = listArchive(payload)) {
    std::optional<FolderListing> listing;
    if (folder.held()) listing.emplace(folder.root());
    const KeepAsidePlan plan = planKeepAside(
        *entries, [&](const std::string& relative) { return listing ? listing->look(relative) : Found{}; });
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
