#include "toolkit/access/KeyboardNavigator.h"

#include <vector>

#include "toolkit/access/AccessibleDescription.h"
#include "toolkit/access/AccessibleTree.h"
#include "toolkit/access/ControlFactsReader.h"
#include "toolkit/access/DefaultAction.h"
#include "toolkit/access/FocusCue.h"
#include "toolkit/controls/FocusOrder.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::keyboard {
namespace {

constexpr char kCancelProperty[] = "Talvek_CancelControl";

bool tabStop(HWND window, ControlRef ref) {
  Control* control = accessible_tree::find(window, ref);
  return control && accessible::isTabStop(readControlFacts(*control));
}

bool moveAlongTabOrder(HWND window, bool backwards) {
  std::vector<FocusCandidate> run;
  for (ControlRef ref : accessible_tree::run(window)) run.push_back({ref, tabStop(window, ref)});
  const ControlRef next = nextTabStop(run, readRefProperty(window, kFocusProperty), backwards);
  if (next == 0) return false;
  focusControl(window, next);
  return true;
}

bool act(HWND window, ControlRef ref) {
  Control* control = accessible_tree::find(window, ref);
  if (!control || !default_action::available(*control)) return false;
  default_action::perform(window, ref);
  return true;
}

}  // namespace

bool focusControl(HWND window, ControlRef ref) {
  Control* control = accessible_tree::find(window, ref);
  if (!control || !tabStop(window, ref)) return false;
  const ControlRef previous = readRefProperty(window, kFocusProperty);
  control->setFocus();
  focus_cue::moved(window, previous, ref);
  return true;
}

void setCancelControl(HWND window, ControlRef ref) { writeRefProperty(window, kCancelProperty, ref); }

ControlRef cancelControl(HWND window) { return readRefProperty(window, kCancelProperty); }

bool onKeyDown(HWND window, WPARAM key) {
  if (!focus_cue::shown(window)) {
    // Tell the window, as the system's dialogs do, then draw our own cue.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    focus_cue::setShown(window, true);
  }
  switch (key) {
    case VK_TAB: return moveAlongTabOrder(window, (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    case VK_SPACE:
    case VK_RETURN: return act(window, readRefProperty(window, kFocusProperty));
    case VK_ESCAPE: {
      const ControlRef cancel = cancelControl(window);
      return tabStop(window, cancel) && act(window, cancel);
    }
    default: return false;
  }
}

}  // namespace talvek::keyboard
