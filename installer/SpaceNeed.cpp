#include "installer/SpaceNeed.h"

#include <limits>

namespace talvek {
namespace {

constexpr std::uint64_t kKilo = 1024;
constexpr std::uint64_t kMega = kKilo * kKilo;
constexpr std::uint64_t kGiga = kMega * kKilo;

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
  return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

// Whole units and a fixed number of decimals, rounded up.
std::string withDecimals(std::uint64_t bytes, std::uint64_t unit, unsigned decimals, const char* name) {
  std::uint64_t scale = 1;
  for (unsigned i = 0; i < decimals; ++i) scale *= 10;
  // Split first so the product cannot overflow for any 64-bit amount.
  const std::uint64_t whole = bytes / unit;
  const std::uint64_t rest = bytes % unit;
  std::uint64_t fraction = (rest * scale + unit - 1) / unit;
  std::uint64_t units = whole;
  if (fraction == scale) {
    ++units;
    fraction = 0;
  }
  std::string text = std::to_string(units);
  if (decimals > 0) {
    std::string digits = std::to_string(fraction);
    text += "." + std::string(decimals - digits.size(), '0') + digits;
  }
  return text + " " + name;
}

}  // namespace

std::uint64_t SpaceNeed::roundedToClusters(std::uint64_t bytes, std::uint64_t clusterBytes) {
  if (clusterBytes == 0) return bytes;
  const std::uint64_t clusters = bytes / clusterBytes + (bytes % clusterBytes ? 1 : 0);
  return clusters > std::numeric_limits<std::uint64_t>::max() / clusterBytes ? std::numeric_limits<std::uint64_t>::max()
                                                                             : clusters * clusterBytes;
}

std::uint64_t SpaceNeed::bytesNeeded(const SpaceFigures& figures) {
  const std::uint64_t cluster = figures.clusterBytes;
  std::uint64_t added = 0;
  for (auto size : figures.newFileSizes) added = saturatingAdd(added, roundedToClusters(size, cluster));
  added = saturatingAdd(added, roundedToClusters(cluster, cluster) * figures.directories);
  std::uint64_t freed = 0;
  for (auto size : figures.replacedFileSizes) freed = saturatingAdd(freed, roundedToClusters(size, cluster));
  const std::uint64_t files = added > freed ? added - freed : 0;
  return saturatingAdd(saturatingAdd(roundedToClusters(figures.archiveBytes, cluster), files), kMarginBytes);
}

std::string SpaceNeed::readableAmount(std::uint64_t bytes) {
  if (bytes < kMega) return withDecimals(bytes, kKilo, 0, "KB");
  if (bytes < kGiga) return withDecimals(bytes, kMega, 1, "MB");
  return withDecimals(bytes, kGiga, 2, "GB");
}

}  // namespace talvek
