#include "toolkit/core/RowSpans.h"

#include <algorithm>

namespace talvek {

std::vector<RowSpan> stretchedRowSpans(int sourceHeight, int targetHeight, int top, int bottom) {
  if (top < 0 || bottom < 0) return {};
  const int sourceMiddle = sourceHeight - top - bottom;
  const int targetMiddle = targetHeight - top - bottom;
  if (sourceMiddle < 1 || targetMiddle < 1) return {};

  std::vector<RowSpan> spans;
  if (top > 0) spans.push_back({0, 0, top});
  // Any run of alike rows stands for any other of the same length, so the
  // middle is copied in runs as long as the source has.
  for (int done = 0; done < targetMiddle;) {
    const int count = std::min(sourceMiddle, targetMiddle - done);
    spans.push_back({top, top + done, count});
    done += count;
  }
  if (bottom > 0) spans.push_back({sourceHeight - bottom, targetHeight - bottom, bottom});
  return spans;
}

}  // namespace talvek
