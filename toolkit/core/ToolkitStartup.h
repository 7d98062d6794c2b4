// One-time start-up of the skin toolkit on the UI thread, before any toolkit
// window exists.
#pragma once

#include <windows.h>

namespace talvek {

inline constexpr char kWindowClassName[] = "RbSoft.RbUI.WindowClass.Window";
inline constexpr char kDropDownClassName[] = "RbSoft.RbUI.WindowClass.ComboBox";
inline constexpr char kMenuClassName[] = "RbSoft.RbUI.WindowClass.menu";
inline constexpr char kMenu1ClassName[] = "RbSoft.RbUI.WindowClass.menu1";

void toolkitStartup();

// Registers a toolkit class (style CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS, no
// instance, icon, cursor or brush) under the UTF-16 form of className.
bool registerToolkitClass(const char* className, WNDPROC windowProc);

// Integer part of major + minor / 10.
int osVersionFrom(DWORD major, DWORD minor);

}  // namespace talvek
