#include "toolkit/controls/EditLayout.h"

#include <algorithm>

namespace talvek {

int charIndexAt(const std::vector<float>& prefixWidths, float x) {
  if (prefixWidths.size() < 2 || !(x > prefixWidths.front())) return 0;
  for (std::size_t i = 1; i < prefixWidths.size(); ++i) {
    if (x < prefixWidths[i]) {
      float middle = (prefixWidths[i - 1] + prefixWidths[i]) / 2;
      return static_cast<int>(x < middle ? i - 1 : i);
    }
  }
  return static_cast<int>(prefixWidths.size() - 1);
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
