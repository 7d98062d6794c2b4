// ControlLookup over the real reference table, with forms and window states
// made up by the test.
#pragma once

#include <map>
#include <set>

#include "toolkit/core/ControlTree.h"
#include "toolkit/core/ReferenceTable.h"

namespace talvek::test {

class FakeLookup final : public ControlLookup {
 public:
  RoutedControl* control(ControlRef ref) const override { return controlReferences().control(ref); }
  HostWindow formWindow(ControlRef ref) const override {
    auto it = forms.find(ref);
    return it == forms.end() ? nullptr : it->second;
  }
  bool windowEnabled(HostWindow window) const override { return disabledWindows.count(window) == 0; }
  int send(ControlRef ref, int code, std::intptr_t arg1, std::intptr_t arg2) override {
    return deliverOnOwnerThread(controlReferences(), ref, code, arg1, arg2).value_or(0);
  }

  std::map<ControlRef, HostWindow> forms;
  std::set<HostWindow> disabledWindows;
};

}  // namespace talvek::test
