#include "toolkit/core/WindowProperties.h"

namespace talvek {

namespace {

LPCWSTR presentPendingName() { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom)); }

void setPresentFlag(HWND window, bool pending) {
  SetPropW(window, presentPendingName(), reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pending ? 1 : 0)));
}

}  // namespace

bool presentPending(HWND window) { return GetPropW(window, presentPendingName()) == reinterpret_cast<HANDLE>(1); }

void setPresentPending(HWND window, bool pending) {
  setPresentFlag(window, pending);
  if (!pending) return;
  // Called from the window's own thread only: the object is not guarded,
  // and a flag set elsewhere is still found by the window's next tick.
  DWORD processId = 0;
  if (GetWindowThreadProcessId(window, &processId) != GetCurrentThreadId()) return;
  if (ToolkitWindow* object = windowObject(window)) object->drawingPending();
}

DisplayScale windowDisplayScale(HWND window) {
  return window ? DisplayScale(static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(window, kDpiProperty))))
                : DisplayScale();
}

ControlRef readRefProperty(HWND window, const char* name) {
  return static_cast<ControlRef>(reinterpret_cast<INT_PTR>(GetPropA(window, name)));
}

void writeRefProperty(HWND window, const char* name, ControlRef ref) {
  SetPropA(window, name, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(ref)));
}

ToolkitWindow* windowObject(HWND window) { return static_cast<ToolkitWindow*>(GetPropA(window, kThisProperty)); }

void setWindowObject(HWND window, ToolkitWindow* object) { SetPropA(window, kThisProperty, object); }

}  // namespace talvek
