// The chain of open popup menus and which of them a menu window hides.
// Menus are only ever hidden here, never destroyed or forgotten.
#pragma once

#include <vector>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

// One open popup: its 1-based level in the chain and its window.
struct MenuRecord {
  int position = 0;
  HostWindow window = nullptr;
};

// Button-up in one popup: its open submenus (the popups after it in the
// chain), then every popup of the list.
std::vector<HostWindow> menusToHideOnButtonUp(const std::vector<MenuRecord>& openMenus, HostWindow clicked);

// Focus loss hides the whole list, but only once the mouse has left a menu.
std::vector<HostWindow> menusToHideOnFocusLoss(const std::vector<MenuRecord>& openMenus, int mouseOutside);

}  // namespace talvek
