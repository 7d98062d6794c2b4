// What the uninstaller tells a user when it could not remove everything:
// what stayed and why, short enough for a message box.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace talvek {

struct LeftItemText {
  std::wstring what;  // a path or a registry key
  std::wstring why;   // the system's text for the error, or a plain reason
};

// Items named one per line before the rest are only counted.
inline constexpr std::size_t kNamedLeftItems = 5;

// "Talvek 未能完全卸载：", a line "what（why）" for each of the first
// kNamedLeftItems items, "等 N 项" (N of them in all) when there are more,
// and that the uninstall entry stays for another try.
std::wstring incompleteMessage(const std::vector<LeftItemText>& items);

}  // namespace talvek
