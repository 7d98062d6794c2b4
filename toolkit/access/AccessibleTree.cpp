#include "toolkit/access/AccessibleTree.h"

#include <algorithm>

#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/ControlTree.h"
#include "toolkit/core/ReferenceTable.h"

namespace talvek::accessible_tree {

Control* find(HWND window, ControlRef ref) {
  if (ref <= 0 || !window) return nullptr;
  Control* control = dynamic_cast<Control*>(controlReferences().control(ref));
  return control && control->window == window ? control : nullptr;
}

std::vector<ControlRef> run(HWND window) {
  std::vector<ControlRef> refs;
  const ControlRegistry& registry = controlRegistry();
  for (int index = 1; index <= registry.count(); ++index) {
    if (find(window, registry.at(index))) refs.push_back(registry.at(index));
  }
  return refs;
}

ControlRef parentOf(HWND window, ControlRef ref) {
  const Control* control = find(window, ref);
  return control && control->parent > 0 ? control->parent : 0;
}

std::vector<ControlRef> children(HWND window, ControlRef parent) {
  std::vector<ControlRef> refs;
  for (ControlRef ref : run(window)) {
    if (parentOf(window, ref) == parent) refs.push_back(ref);
  }
  std::sort(refs.begin(), refs.end());
  return refs;
}

namespace {

bool within(HWND window, ControlRef ref, ControlRef ancestor) {
  for (ControlRef up = ref; up > 0; up = parentOf(window, up)) {
    if (up == ancestor) return true;
  }
  return ancestor == 0;
}

// The mouse's rule: what a screen reader finds under a point is what a
// click there would reach.
bool holds(const Rect& rect, POINT point) { return containsPoint(rect, point.x, point.y); }

}  // namespace

ControlRef deepestAt(HWND window, ControlRef ancestor, POINT client) {
  if (ancestor != 0) {
    const Control* control = find(window, ancestor);
    if (!control || !control->isShown() || !holds(control->visibleRect, client)) return -1;
  } else {
    RECT area{};
    GetClientRect(window, &area);
    if (!holds(Rect{0, 0, area.right, area.bottom}, client)) return -1;
  }
  // Descendants precede their parents, so the first hit of the run is what
  // the mouse would reach (a disabled control included: it is still seen).
  for (ControlRef ref : run(window)) {
    const Control* control = find(window, ref);
    if (ref == ancestor || !control->isShown() || !holds(control->visibleRect, client)) continue;
    if (within(window, ref, ancestor)) return ref;
  }
  return ancestor;
}

Rect screenRect(HWND window, ControlRef ref) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  if (const Control* control = find(window, ref)) {
    return Rect{origin.x + control->windowRect.x, origin.y + control->windowRect.y, control->windowRect.width,
                control->windowRect.height};
  }
  RECT area{};
  GetClientRect(window, &area);
  return Rect{origin.x, origin.y, area.right, area.bottom};
}

}  // namespace talvek::accessible_tree
