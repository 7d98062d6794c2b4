// The live objects behind registry entries: controls and forms from the
// reference table, window state from Windows, events through
// sendControlEvent.
#pragma once

#include "toolkit/core/ControlTree.h"

namespace talvek {

class ToolkitLookup final : public ControlLookup {
 public:
  RoutedControl* control(ControlRef ref) const override;
  HostWindow formWindow(ControlRef ref) const override;
  bool windowEnabled(HostWindow window) const override;
  int send(ControlRef ref, int code, std::intptr_t arg1, std::intptr_t arg2) override;
};

}  // namespace talvek
