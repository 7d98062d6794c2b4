// How much room an installation takes on its drive, counted in whole
// clusters as the file system hands them out, and amounts as a user reads
// them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace talvek {

struct SpaceFigures {
  std::uint64_t clusterBytes = 4096;
  std::uint64_t archiveBytes = 0;
  std::vector<std::uint64_t> newFileSizes;
  std::vector<std::uint64_t> replacedFileSizes;
  std::size_t directories = 0;
};

class SpaceNeed {
 public:
  // Room for the file system's own records of a thousand small files.
  static constexpr std::uint64_t kMarginBytes = 1u << 20;

  static std::uint64_t roundedToClusters(std::uint64_t bytes, std::uint64_t clusterBytes);

  // The archive, the extracted files less those they replace, a cluster per
  // folder and the margin; never less than the archive and the margin.
  static std::uint64_t bytesNeeded(const SpaceFigures& figures);

  // "812 KB", "6.4 MB", "1.25 GB": whole kilobytes below a megabyte, one
  // decimal below a gigabyte, two above; rounded up, so a need is never
  // shown smaller than it is.
  static std::string readableAmount(std::uint64_t bytes);
};

}  // namespace talvek
