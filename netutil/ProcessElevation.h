// Running programs elevated and asking about this process's standing.
#pragma once

#include <optional>
#include <string>

namespace talvek {

class ProcessElevation {
 public:
  // Starts the program (this program itself when none or an empty path is
  // given) through the shell's "runas" verb; true when the shell accepted it.
  static bool runElevated(const std::optional<std::string>& programPath,
                          const std::string& parameters);
  static bool isUserAdmin();
  // Whether a mutex named after this program's file name exists.
  static bool isProgramRunning();
  static std::string ownProgramPath();
};

}  // namespace talvek
