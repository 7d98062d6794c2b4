#include "installer/SpaceNeed.h"

#include <gtest/gtest.h>

#include <limits>

namespace talvek {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(SpaceNeed, FilesTakeWholeClusters) {
  EXPECT_EQ(SpaceNeed::roundedToClusters(0, 4096), 0u);
  EXPECT_EQ(SpaceNeed::roundedToClusters(1, 4096), 4096u);
  EXPECT_EQ(SpaceNeed::roundedToClusters(4096, 4096), 4096u);
  EXPECT_EQ(SpaceNeed::roundedToClusters(4097, 4096), 8192u);
  EXPECT_EQ(SpaceNeed::roundedToClusters(kMax, 4096), kMax);
}

TEST(SpaceNeed, CountsTheArchiveTheNewFilesLessTheReplacedOnesAndAMargin) {
  SpaceFigures figures;
  figures.clusterBytes = 4096;
  figures.archiveBytes = 5000;                   // 8192
  figures.newFileSizes = {1, 4096, 10000, 0};    // 4096 + 4096 + 12288
  figures.directories = 2;                       // 8192
  EXPECT_EQ(SpaceNeed::bytesNeeded(figures), 8192u + 20480u + 8192u + SpaceNeed::kMarginBytes);
  figures.replacedFileSizes = {3000, 9000};      // 4096 + 12288
  EXPECT_EQ(SpaceNeed::bytesNeeded(figures), 8192u + 12288u + SpaceNeed::kMarginBytes);
  // Replacing bigger files never makes the archive itself fit for free.
  figures.replacedFileSizes = {1u << 30};
  EXPECT_EQ(SpaceNeed::bytesNeeded(figures), 8192u + SpaceNeed::kMarginBytes);
}

TEST(SpaceNeed, HugeFiguresSaturateInsteadOfWrapping) {
  SpaceFigures figures;
  figures.archiveBytes = kMax - 10;
  figures.newFileSizes = {kMax, kMax};
  EXPECT_EQ(SpaceNeed::bytesNeeded(figures), kMax);
}

TEST(SpaceNeed, AmountsReadAsAUserReadsThemAndNeverSmaller) {
  EXPECT_EQ(SpaceNeed::readableAmount(0), "0 KB");
  EXPECT_EQ(SpaceNeed::readableAmount(1), "1 KB");
  EXPECT_EQ(SpaceNeed::readableAmount(1024), "1 KB");
  EXPECT_EQ(SpaceNeed::readableAmount(1025), "2 KB");
  EXPECT_EQ(SpaceNeed::readableAmount(1u << 20), "1.0 MB");
  EXPECT_EQ(SpaceNeed::readableAmount(6713629), "6.5 MB");
  EXPECT_EQ(SpaceNeed::readableAmount((1u << 20) * 10 - 1), "10.0 MB");
  EXPECT_EQ(SpaceNeed::readableAmount(1ull << 30), "1.00 GB");
  EXPECT_EQ(SpaceNeed::readableAmount((1ull << 30) + 1), "1.01 GB");
  EXPECT_EQ(SpaceNeed::readableAmount(kMax), "17179869184.00 GB");
}

}  // namespace
}  // namespace talvek
