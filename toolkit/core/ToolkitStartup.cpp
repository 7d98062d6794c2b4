#include "toolkit/core/ToolkitStartup.h"

#include <objidl.h>  // gdiplus.h needs PROPID
#include <gdiplus.h>

#include "toolkit/core/UiComApartment.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/EventRelay.h"
#include "toolkit/core/FontStartup.h"
#include "toolkit/core/PopupWindowProcs.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/WideText.h"
#include "toolkit/richedit/RichEditStart.h"

namespace talvek {
namespace {

void startGdiplus() {
  // GDI+ stays up for the life of the process, so the token is dropped.
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
}

void readOsVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  static_assert(sizeof(OSVERSIONINFOA) == 148);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (GetVersionExA(&info)) osVersion = osVersionFrom(info.dwMajorVersion, info.dwMinorVersion);
#pragma GCC diagnostic pop
}

template <typename Function>
Function lookUp(const char* library, const char* name) {
  HMODULE module = LoadLibraryA(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace

int osVersionFrom(DWORD major, DWORD minor) {
  return static_cast<int>(static_cast<double>(major) + static_cast<double>(minor) / 10.0);
}

bool registerToolkitClass(const char* className, WNDPROC windowProc) {
  WideText wideName;
  wideName.assignAnsi(className);
  ByteBlock name = wideName.getData();  // with its terminator
  WNDCLASSEXW windowClass{};
  static_assert(sizeof(WNDCLASSEXW) == (sizeof(void*) == 4 ? 48 : 80));
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = windowProc;
  windowClass.lpszClassName = reinterpret_cast<const wchar_t*>(name.data());
  return RegisterClassExW(&windowClass) != 0;
}

void toolkitStartup() {
  enterUiApartment();
  startGdiplus();
  readOsVersion();
  updateRectMessage = RegisterWindowMessageA("Rb_Msg_WM_UPDATERECT");
  // Only the window procedure is looked up. Blending and memory copies are
  // imported: a look-up that failed would leave a null pointer that the
  // first composition calls, where a missing import stops the program
  // before it shows anything.
  defWindowProcW = lookUp<WNDPROC>("user32.dll", "DefWindowProcW");

  registerToolkitClass(kWindowClassName, defWindowProcW);
  registerToolkitClass(kDropDownClassName, dropDownWindowProc);
  registerToolkitClass(kMenuClassName, menuWindowProc);
  registerToolkitClass(kMenu1ClassName, menuWindowProc);

  fontAndSkinStartup();

  // Events from other threads (the rich-edit server) are handed to this
  // thread through the relay, so it must exist before the server starts.
  startEventRelay();
  richedit::startRichEditServer(&sendControlEventWithin);

  cursorOverride = 0;
}

}  // namespace talvek
