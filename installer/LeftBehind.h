// What an uninstallation could not remove, and why: the user is told, and
// the uninstall entry stays so that they can try again.
#pragma once

#include <cstdint>
#include <string>

namespace talvek {

struct LeftBehind {
  std::string what;         // a path or a registry key, in the system code page
  std::uint32_t error = 0;  // the system's error code; 0 for a link
  // A link or junction, or an entry reached through one: deleting it could
  // reach what it points to, which is not the product's.
  bool link = false;
};

}  // namespace talvek
