// The program's value under the machine's Run key.
#pragma once

#include <optional>
#include <string>

namespace talvek {

class Autorun {
 public:
  // One of the AutorunCode values (RegistryItemPath.h).
  static int set(const std::string& programPath, const std::optional<std::string>& arguments,
                 const std::string& valueName);
  // 0 removed, -1 not removed, -2 the Run key did not open.
  static int remove(const std::string& valueName);
};

}  // namespace talvek
