// Process-wide state of the skin toolkit, filled by toolkitStartup and
// never freed. The control registry lives in ControlRegistry.h.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/core/MenuChain.h"

namespace talvek {

extern int osVersion;             // 6 for Windows 7 and 8, 5 for XP
extern UINT updateRectMessage;    // "Rb_Msg_WM_UPDATERECT"
// updateRectMessage's wParam when nothing outside the rectangle changed: a
// layered window then pushes only that part of its picture.
inline constexpr WPARAM kOnlyThisRectChanged = 1;
extern WNDPROC defWindowProcW;    // looked up, not imported
extern int cursorOverride;        // 1 once a control has set its own cursor
extern std::vector<MenuRecord> openMenuList;  // first level first
extern int menuMouseOutside;      // 1 after WM_MOUSELEAVE on a menu

}  // namespace talvek
