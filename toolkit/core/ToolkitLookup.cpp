#include "toolkit/core/ToolkitLookup.h"

#include <windows.h>

#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/ToolkitWindow.h"

namespace talvek {

RoutedControl* ToolkitLookup::control(ControlRef ref) const { return controlReferences().control(ref); }

HostWindow ToolkitLookup::formWindow(ControlRef ref) const {
  ToolkitWindow* form = controlReferences().form(ref);
  return form ? form->hwnd() : nullptr;
}

bool ToolkitLookup::windowEnabled(HostWindow window) const { return IsWindowEnabled(window) != FALSE; }

int ToolkitLookup::send(ControlRef ref, int code, std::intptr_t arg1, std::intptr_t arg2) {
  return sendControlEvent(ref, code, arg1, arg2);
}

}  // namespace talvek
