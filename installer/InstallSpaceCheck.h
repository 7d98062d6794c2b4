// Whether the drive of an installation folder has room for the installation
// before anything is written there.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace talvek {

struct SpaceShortfall {
  std::uint64_t neededBytes = 0;
  std::uint64_t freeBytes = 0;
};

class InstallFolder;

// Nothing when there is room, or when the drive cannot tell its free space
// (such a drive is not refused). The held folder is asked; while none is
// held (`installDir` does not exist yet), its nearest existing parent's
// drive is.
std::optional<SpaceShortfall> findSpaceShortfall(const std::string& installDir, const InstallFolder& folder,
                                                 std::span<const std::uint8_t> payload);

}  // namespace talvek
