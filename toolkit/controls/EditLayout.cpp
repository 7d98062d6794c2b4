#include "toolkit/controls/EditLayout.h"

#include <algorithm>

namespace talvek {

int charIndexAt(int length, float x, const std::function<float(int)>& prefixWidth) {
  if (length <= 0 || !(x > 0)) return 0;
  // The first boundary at or beyond x.
  int low = 1, high = length;
  if (!(x < prefixWidth(length))) return length;
  while (low < high) {
    int middle = low + (high - low) / 2;
    if (prefixWidth(middle) < x) low = middle + 1;
    else high = middle;
  }
  float before = prefixWidth(low - 1);
  float after = prefixWidth(low);
  return x < (before + after) / 2 ? low - 1 : low;
}

float scrollOffset(float offset, float caretX, float textWidth, float areaWidth) {
  const float rightEdge = areaWidth - 1;
  offset = std::min(offset, 0.0f);
  if (caretX + offset > rightEdge) offset = rightEdge - caretX;
  if (caretX + offset < 0) offset = -caretX;
  if (offset < 0 && textWidth + offset < rightEdge) offset = std::min(0.0f, std::max(offset, rightEdge - textWidth));
  return offset;
}

}  // namespace talvek
