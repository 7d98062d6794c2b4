#include "toolkit/controls/FocusOrder.h"

namespace talvek {

ControlRef nextTabStop(const std::vector<FocusCandidate>& run, ControlRef current, bool backwards) {
  const int count = static_cast<int>(run.size());
  if (count == 0) return 0;
  // Tab walks towards lower indices; Shift+Tab towards higher ones.
  const int step = backwards ? 1 : -1;
  int start = backwards ? -1 : count;
  for (int i = 0; i < count; ++i) {
    if (run[i].ref == current && current != 0) start = i;
  }
  for (int n = 1; n <= count; ++n) {
    const int index = ((start + step * n) % count + count) % count;
    if (run[index].tabStop) return run[index].ref;
  }
  return 0;
}

}  // namespace talvek
