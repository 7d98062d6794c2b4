#include "toolkit/controls/ControlPlacement.h"

#include <algorithm>
#include <cstdint>

namespace talvek {

Rect intersectRects(const Rect& a, const Rect& b) {
  // 64-bit far edges: x + width may not fit in 32 bits.
  const std::int64_t left = std::max<std::int64_t>(a.x, b.x);
  const std::int64_t top = std::max<std::int64_t>(a.y, b.y);
  const std::int64_t right = std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
  const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
  if (right <= left || bottom <= top) return Rect{};
  return Rect{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
              static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

bool isEmptyRect(const Rect& rect) { return rect.width <= 0 || rect.height <= 0; }

int childInsertionIndex(const ControlRegistry& registry, const ControlLookup& lookup, int parentIndex) {
  if (parentIndex < 1 || parentIndex > registry.count()) return 1;
  const ControlRef parentRef = registry.at(parentIndex);
  const int parentDepth = depthOf(lookup, parentRef);
  const HostWindow window = entryWindow(lookup, parentRef);
  for (int index = parentIndex - 1; index >= 1; --index) {
    const ControlRef ref = registry.at(index);
    if (depthOf(lookup, ref) <= parentDepth || entryWindow(lookup, ref) != window) return index + 1;
  }
  return 1;
}

std::vector<ControlRef> takeSubtree(ControlRegistry& registry, const ControlLookup& lookup, int index) {
  if (index < 1 || index > registry.count()) return {};
  const int start = subtreeStart(registry, lookup, index);
  std::vector<ControlRef> run;
  for (int i = start; i <= index; ++i) run.push_back(registry.at(i));
  registry.removeRange(start, index);
  return run;
}

void insertRun(ControlRegistry& registry, int index, const std::vector<ControlRef>& run) {
  for (auto it = run.rbegin(); it != run.rend(); ++it) registry.insertAt(index, *it);
}

}  // namespace talvek
