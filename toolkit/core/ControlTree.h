// Walks over the registry that the routing needs: visibility and disabled
// state up the parent chain, the hit test, and removing subtrees. Pure:
// everything about live objects and windows comes through ControlLookup,
// so the walks are tested with plain data.
#pragma once

#include <cstdint>

#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/RoutedControl.h"

namespace talvek {

class ControlLookup {
 public:
  // Null for anything that is not a live control.
  virtual RoutedControl* control(ControlRef ref) const = 0;
  // The window of a form reference; null when unknown or destroyed.
  virtual HostWindow formWindow(ControlRef ref) const = 0;
  virtual bool windowEnabled(HostWindow window) const = 0;
  virtual int send(ControlRef ref, int code, std::intptr_t arg1, std::intptr_t arg2) = 0;

 protected:
  ~ControlLookup() = default;
};

// A control and every ancestor visible; a form counts as visible.
bool isShown(const ControlLookup& lookup, ControlRef ref);
// The control or an ancestor disabled; a form is disabled with its window.
bool isDisabled(const ControlLookup& lookup, ControlRef ref);

// The first shown, enabled control of window's run whose hit area holds the
// point; 0 when none.
ControlRef hitTest(const ControlRegistry& registry, const ControlLookup& lookup, HostWindow window, int x,
                   int y);

// The window an entry belongs to: a control's host, a form's own window.
HostWindow entryWindow(const ControlLookup& lookup, ControlRef ref);

// A control's depth below its form; 0 for a form or an unknown reference.
int depthOf(const ControlLookup& lookup, ControlRef ref);

// First index of the subtree that ends at index.
int subtreeStart(const ControlRegistry& registry, const ControlLookup& lookup, int index);

// Sends event 2 to the subtree ending at index (descendants first) and takes
// it out of the registry; returns how many entries the registry lost.
int removeControlSubtree(ControlRegistry& registry, ControlLookup& lookup, int index);

// Removes every entry of window, and every unattached one, each after its
// event 2; returns how many entries went.
int removeWindowControls(ControlRegistry& registry, ControlLookup& lookup, HostWindow window);

}  // namespace talvek
