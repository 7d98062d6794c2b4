// The process-wide list of control references. A window's controls lie in
// one run; each control's descendants lie directly in front of it; forms
// put their own negative reference at the very front. Positions are
// 1-based. UI thread only.
#pragma once

#include <vector>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

class ControlRegistry {
 public:
  int count() const { return static_cast<int>(entries_.size()); }
  // 0 outside 1..count.
  ControlRef at(int index) const;
  // 0 when absent.
  int indexOf(ControlRef ref) const;
  // Index clamped to 1..count + 1; later entries move up by one.
  void insertAt(int index, ControlRef ref);
  // Removes first..last clamped to the list; returns how many went.
  int removeRange(int first, int last);
  void clear() { entries_.clear(); }

 private:
  std::vector<ControlRef> entries_;
};

// The process-wide registry.
ControlRegistry& controlRegistry();

}  // namespace talvek
