// How a picture whose middle rows are all alike is made taller or shorter
// by copying rows: its top rows, as many middle rows as the new height
// needs, its bottom rows. A form's frame is such a picture (the title and
// the rounded corners at the ends, straight edges between), so a resize
// step can copy it instead of drawing it again.
#pragma once

#include <vector>

namespace talvek {

struct RowSpan {
  int sourceY = 0;
  int targetY = 0;
  int count = 0;
  bool operator==(const RowSpan&) const = default;
};

// The copies that turn a picture of sourceHeight rows, whose rows
// [top, sourceHeight - bottom) are all alike, into one of targetHeight
// rows; every target row is written once. Empty when either height leaves
// no middle row, or top or bottom is negative.
std::vector<RowSpan> stretchedRowSpans(int sourceHeight, int targetHeight, int top, int bottom);

}  // namespace talvek
