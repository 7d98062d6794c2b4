#include "toolkit/core/WindowProperties.h"

#include <mutex>
#include <utility>
#include <vector>

namespace talvek {

namespace {

// The window objects of this process by window. Another process can set
// any property of our windows, so "RbUI_THIS" is only ever written, for
// whoever reads it, and never called through. Locked: each window's own
// thread adds and removes its entry (the UI thread, in the installer), but
// nothing keeps every reader on that thread.
struct WindowObjects {
  std::mutex mutex;
  std::vector<std::pair<HWND, ToolkitWindow*>> entries;
};

WindowObjects& windowObjects() {
  static WindowObjects objects;
  return objects;
}

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

ToolkitWindow* windowObject(HWND window) {
  WindowObjects& objects = windowObjects();
  std::lock_guard lock(objects.mutex);
  for (const auto& [known, object] : objects.entries) {
    if (known == window) return object;
  }
  return nullptr;
}

void setWindowObject(HWND window, ToolkitWindow* object) {
  if (!window) return;
  SetPropA(window, kThisProperty, object);
  WindowObjects& objects = windowObjects();
  std::lock_guard lock(objects.mutex);
  std::erase_if(objects.entries, [&](const auto& entry) { return entry.first == window; });
  if (object) objects.entries.emplace_back(window, object);
}

}  // namespace talvek
