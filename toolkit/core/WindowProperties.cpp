#include "toolkit/core/WindowProperties.h"

namespace talvek {

namespace {

LPCWSTR presentPendingName() { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom)); }

}  // namespace

bool presentPending(HWND window) { return reinterpret_cast<INT_PTR>(GetPropW(window, presentPendingName())) == 1; }

void setPresentPending(HWND window, bool pending) {
  SetPropW(window, presentPendingName(), reinterpret_cast<HANDLE>(static_cast<INT_PTR>(pending ? 1 : 0)));
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
