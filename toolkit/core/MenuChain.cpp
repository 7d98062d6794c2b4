#include "toolkit/core/MenuChain.h"

#include <algorithm>

namespace talvek {
namespace {

void appendAll(const std::vector<MenuRecord>& openMenus, std::vector<HostWindow>& out) {
  for (const MenuRecord& record : openMenus) out.push_back(record.window);
}

}  // namespace

std::vector<HostWindow> menusToHideOnButtonUp(const std::vector<MenuRecord>& openMenus, HostWindow clicked) {
  std::vector<HostWindow> hide;
  auto found = std::find_if(openMenus.begin(), openMenus.end(),
                            [clicked](const MenuRecord& record) { return record.window == clicked; });
  if (found != openMenus.end()) {
    // The n - p popups after position p; a position outside the list
    // selects nothing rather than reading past it.
    int n = static_cast<int>(openMenus.size());
    int p = found->position;
    for (int position = std::max(p, 0) + 1; position <= n; ++position) {
      hide.push_back(openMenus[static_cast<size_t>(position - 1)].window);
    }
  }
  appendAll(openMenus, hide);
  return hide;
}

std::vector<HostWindow> menusToHideOnFocusLoss(const std::vector<MenuRecord>& openMenus, int mouseOutside) {
  std::vector<HostWindow> hide;
  if (mouseOutside == 1) appendAll(openMenus, hide);
  return hide;
}

}  // namespace talvek
