// Makes every toolkit form visible to screen readers and test tools: the
// client area and its controls answer the system's accessibility calls
// (WM_GETOBJECT), and the form answers the keyboard (KeyboardNavigator).
// Call once on the UI thread after toolkitStartup.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

void enableAccessibility();

// A name for a control that shows no text of its own.
void setAccessibleName(ControlRef ref, const std::u16string& name);

// The message filter behind enableAccessibility, for tests.
bool accessibilityFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace talvek
