#include "toolkit/core/ToolkitGlobals.h"

namespace talvek {

int osVersion = 0;
UINT updateRectMessage = 0;
WNDPROC defWindowProcW = nullptr;
int cursorOverride = 0;
std::vector<MenuRecord> openMenuList;
int menuMouseOutside = 0;

}  // namespace talvek
