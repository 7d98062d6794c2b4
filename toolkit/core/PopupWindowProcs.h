// Window procedures of the drop-down and popup menu classes. The user never
// closes these windows: WM_CLOSE is swallowed and popups are only hidden.
#pragma once

#include <windows.h>

namespace talvek {

LRESULT CALLBACK dropDownWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK menuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace talvek
