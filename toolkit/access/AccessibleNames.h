// Names the owner gives to controls that show no text of their own (a
// picture button, a ring). References are never reused, so an entry of a
// destroyed control names nothing again. UI thread only.
#pragma once

#include <string>
#include <unordered_map>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

class AccessibleNames {
 public:
  // An empty name removes the entry.
  void set(ControlRef ref, std::u16string name);
  // Empty when none was given.
  std::u16string get(ControlRef ref) const;

 private:
  std::unordered_map<ControlRef, std::u16string> names_;
};

// The process-wide names.
AccessibleNames& accessibleNames();

}  // namespace talvek
