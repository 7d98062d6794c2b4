#include "toolkit/access/AccessibilityServer.h"

#include "toolkit/access/AccessibleNames.h"
#include "toolkit/access/AccessibleNode.h"
#include "toolkit/access/AccessibleTree.h"
#include "toolkit/access/DefaultAction.h"
#include "toolkit/access/FocusCue.h"
#include "toolkit/access/KeyboardNavigator.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/LateLoadedApis.h"
#include "toolkit/core/UiComApartment.h"

namespace talvek {
namespace {

// The client area for OBJID_CLIENT; a control for its own reference, the
// object id its win events carry.
bool answerObjectRequest(HWND window, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // Outside the UI thread's own single-threaded apartment the objects
  // would be called on other threads, walking the control registry
  // unguarded; then the window answers nothing, as one without the tree.
  if (!inUiApartment()) return false;
  const LONG objectId = static_cast<LONG>(lParam);
  ControlRef ref = 0;
  if (objectId > 0) {
    if (!accessible_tree::find(window, objectId)) return false;
    ref = objectId;
  } else if (objectId != OBJID_CLIENT) {
    return false;
  }
  IAccessible* node = AccessibleNode::create(window, ref);
  result = LresultFromObject(IID_IAccessible, wParam, node);
  node->Release();
  return true;
}

void updateUiState(HWND window, WPARAM wParam) {
  if ((HIWORD(wParam) & UISF_HIDEFOCUS) == 0) return;
  if (LOWORD(wParam) == UIS_CLEAR) focus_cue::setShown(window, true);
  if (LOWORD(wParam) == UIS_SET) focus_cue::setShown(window, false);
}

}  // namespace

bool accessibilityFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETOBJECT: return answerObjectRequest(window, wParam, lParam, result);
    case WM_KEYDOWN:
      if (!keyboard::onKeyDown(window, wParam)) return false;
      result = 0;
      return true;
    case WM_UPDATEUISTATE:
      updateUiState(window, wParam);
      return false;
    case WM_ENABLE:
      // Every control's availability follows the window's.
      NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
      return false;
    default:
      if (message != default_action::message() || message == 0) return false;
      default_action::performPosted(window, wParam, lParam);
      result = 0;
      return true;
  }
}

void enableAccessibility() {
  setAccessibilityFilter(&accessibilityFilter);
  setCompositionOverlay(&focus_cue::drawOver);
}

void setAccessibleName(ControlRef ref, const std::u16string& name) { accessibleNames().set(ref, name); }

}  // namespace talvek
