#include "toolkit/core/ControlTree.h"

#include <algorithm>
#include <vector>

#include "toolkit/core/ControlEvents.h"

namespace talvek {
namespace {

// A parent chain longer than this is a loop; stop instead of hanging.
constexpr int kMaxChainLength = 4096;

}  // namespace

bool isShown(const ControlLookup& lookup, ControlRef ref) {
  for (int step = 0; step < kMaxChainLength; ++step) {
    if (ref == 0) return false;
    if (ref < 0) return true;
    const RoutedControl* control = lookup.control(ref);
    if (!control || control->visible != 1) return false;
    ref = control->parent;
  }
  return false;
}

bool isDisabled(const ControlLookup& lookup, ControlRef ref) {
  for (int step = 0; step < kMaxChainLength; ++step) {
    if (ref == 0) return false;
    if (ref < 0) return !lookup.windowEnabled(lookup.formWindow(ref));
    const RoutedControl* control = lookup.control(ref);
    if (!control) return false;
    if (control->disabled == 1) return true;
    ref = control->parent;
  }
  return true;
}

ControlRef hitTest(const ControlRegistry& registry, const ControlLookup& lookup, HostWindow window, int x,
                   int y) {
  bool runStarted = false;
  for (int i = 1; i <= registry.count(); ++i) {
    ControlRef ref = registry.at(i);
    if (ref < 1) continue;
    const RoutedControl* control = lookup.control(ref);
    HostWindow host = control ? control->window : nullptr;
    if (host != window) {
      if (runStarted) return 0;
      continue;
    }
    runStarted = true;
    if (containsPoint(control->visibleRect, x, y) && isShown(lookup, ref) && !isDisabled(lookup, ref)) return ref;
  }
  return 0;
}

HostWindow entryWindow(const ControlLookup& lookup, ControlRef ref) {
  if (ref < 0) return lookup.formWindow(ref);
  const RoutedControl* control = lookup.control(ref);
  return control ? control->window : nullptr;
}

int depthOf(const ControlLookup& lookup, ControlRef ref) {
  const RoutedControl* control = ref > 0 ? lookup.control(ref) : nullptr;
  return control ? control->depth : 0;
}

int subtreeStart(const ControlRegistry& registry, const ControlLookup& lookup, int index) {
  if (index < 1 || index > registry.count()) return index;
  int depth = depthOf(lookup, registry.at(index));
  if (index < 2 || depthOf(lookup, registry.at(index - 1)) != depth + 1) return index;
  int start = index - 1;
  while (start > 1 && depthOf(lookup, registry.at(start - 1)) > depth) --start;
  return start;
}

int removeControlSubtree(ControlRegistry& registry, ControlLookup& lookup, int index) {
  if (index < 1 || index > registry.count()) return 0;
  int sizeBefore = registry.count();
  int start = subtreeStart(registry, lookup, index);
  // Event handlers may take their own entries out (or others); walking a
  // copy of the subtree visits each member once, whatever they do.
  std::vector<ControlRef> members;
  for (int i = start; i <= index; ++i) members.push_back(registry.at(i));
  for (ControlRef ref : members) {
    if (registry.indexOf(ref) != 0) lookup.send(ref, event::kDestroyed, 0, 0);
  }
  for (ControlRef ref : members) {
    int at = registry.indexOf(ref);
    if (at != 0) registry.removeRange(at, at);
  }
  return sizeBefore - registry.count();
}

int removeWindowControls(ControlRegistry& registry, ControlLookup& lookup, HostWindow window) {
  int sizeBefore = registry.count();
  int i = 1;
  while (i <= registry.count()) {
    HostWindow host = entryWindow(lookup, registry.at(i));
    if (host == window || host == nullptr) {
      int removed = removeControlSubtree(registry, lookup, i);
      i = removed > 0 ? std::max(1, i - removed + 1) : i + 1;
    } else {
      ++i;
    }
  }
  return sizeBefore - registry.count();
}

}  // namespace talvek
