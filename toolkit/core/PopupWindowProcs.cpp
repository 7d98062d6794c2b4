#include "toolkit/core/PopupWindowProcs.h"

#include "toolkit/core/MenuChain.h"
#include "toolkit/core/ToolkitGlobals.h"

namespace talvek {
namespace {

void hideAll(const std::vector<HostWindow>& windows) {
  for (HostWindow window : windows) ShowWindow(window, SW_HIDE);
}

}  // namespace

LRESULT CALLBACK dropDownWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) return 0;
  if (message == WM_KILLFOCUS) ShowWindow(window, SW_HIDE);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK menuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_MOUSEMOVE:
        menuMouseOutside = 0;
        break;
      case WM_MOUSELEAVE:
        menuMouseOutside = 1;
        break;
      case WM_KILLFOCUS:
        hideAll(menusToHideOnFocusLoss(openMenuList, menuMouseOutside));
        break;
      case WM_CLOSE:
        return 0;
      case WM_LBUTTONUP:
        hideAll(menusToHideOnButtonUp(openMenuList, window));
        break;
      default:
        break;
    }
  } catch (...) {
    // Out of memory while listing the popups: they stay as they are.
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace talvek
