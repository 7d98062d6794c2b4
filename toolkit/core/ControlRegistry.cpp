#include "toolkit/core/ControlRegistry.h"

#include <algorithm>

namespace talvek {

ControlRef ControlRegistry::at(int index) const {
  if (index < 1 || index > count()) return 0;
  return entries_[static_cast<size_t>(index - 1)];
}

int ControlRegistry::indexOf(ControlRef ref) const {
  auto it = std::find(entries_.begin(), entries_.end(), ref);
  return it == entries_.end() ? 0 : static_cast<int>(it - entries_.begin()) + 1;
}

void ControlRegistry::insertAt(int index, ControlRef ref) {
  index = std::clamp(index, 1, count() + 1);
  entries_.insert(entries_.begin() + (index - 1), ref);
}

int ControlRegistry::removeRange(int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, count());
  if (first > last) return 0;
  entries_.erase(entries_.begin() + (first - 1), entries_.begin() + last);
  return last - first + 1;
}

ControlRegistry& controlRegistry() {
  static ControlRegistry registry;
  return registry;
}

}  // namespace talvek
