#include "toolkit/core/DisplayDpi.h"

#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);

DpiForWindow dpiForWindow() {
  static const auto function = reinterpret_cast<DpiForWindow>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

int screenDpi() {
  WindowDc screen(nullptr);
  return screen ? GetDeviceCaps(screen.get(), LOGPIXELSX) : DisplayScale::kBaseDpi;
}

}  // namespace

DisplayScale windowScale(HWND window) {
  if (const DpiForWindow forWindow = dpiForWindow(); forWindow && window) {
    if (const UINT dpi = forWindow(window)) return DisplayScale(static_cast<int>(dpi));
  }
  return DisplayScale(screenDpi());
}

}  // namespace talvek
