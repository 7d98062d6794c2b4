#include <gtest/gtest.h>

#include <vector>

#include "toolkit/core/RowSpans.h"

namespace talvek {
namespace {

// Which source row lands on each target row; -1 where none does, -2 where
// more than one does.
std::vector<int> rowSources(const std::vector<RowSpan>& spans, int targetHeight) {
  std::vector<int> sources(static_cast<size_t>(targetHeight), -1);
  for (const RowSpan& span : spans) {
    for (int i = 0; i < span.count; ++i) {
      int& slot = sources.at(static_cast<size_t>(span.targetY + i));
      slot = slot == -1 ? span.sourceY + i : -2;
    }
  }
  return sources;
}

TEST(RowSpans, EveryTargetRowComesOnceFromTheTopTheMiddleOrTheBottom) {
  constexpr int kTop = 40, kBottom = 20;
  for (int source : {61, 100, 350, 500}) {
    for (int target : {61, 62, 99, 360, 500, 1200}) {
      const std::vector<int> rows = rowSources(stretchedRowSpans(source, target, kTop, kBottom), target);
      for (int y = 0; y < target; ++y) {
        const int from = rows[static_cast<size_t>(y)];
        if (y < kTop) {
          EXPECT_EQ(from, y) << source << " to " << target;
        } else if (y >= target - kBottom) {
          EXPECT_EQ(from, source - (target - y)) << source << " to " << target;
        } else {
          EXPECT_GE(from, kTop) << source << " to " << target << ", row " << y;
          EXPECT_LT(from, source - kBottom) << source << " to " << target << ", row " << y;
        }
      }
    }
  }
}

TEST(RowSpans, TheSameHeightIsOneCopyPerPart) {
  EXPECT_EQ(stretchedRowSpans(350, 350, 40, 20),
            (std::vector<RowSpan>{{0, 0, 40}, {40, 40, 290}, {330, 330, 20}}));
  EXPECT_EQ(stretchedRowSpans(10, 10, 0, 0), (std::vector<RowSpan>{{0, 0, 10}}));
}

TEST(RowSpans, NoMiddleRowOrNegativeBandsGiveNothing) {
  EXPECT_TRUE(stretchedRowSpans(60, 360, 40, 20).empty()) << "a source without middle rows";
  EXPECT_TRUE(stretchedRowSpans(350, 60, 40, 20).empty()) << "a target without middle rows";
  EXPECT_TRUE(stretchedRowSpans(0, 0, 0, 0).empty());
  EXPECT_TRUE(stretchedRowSpans(350, 360, -1, 20).empty());
  EXPECT_TRUE(stretchedRowSpans(350, 360, 40, -5).empty());
}

}  // namespace
}  // namespace talvek
