// Starting a program or opening a file through the desktop shell, so that
// it runs with the shell's own rights rather than an elevated installer's.
#pragma once

#include <string>

#include "installer/LaunchRoute.h"

namespace talvek {

struct ShellStartResult {
  ShellAnswer outcome = ShellAnswer::NotAsked;
  std::string failure;  // why not, for the install log
};

// Asks the desktop's shell view to "open" `file` with `directory` as its
// working folder. The shell's answer is waited for at most a few seconds: a
// shell that does not answer gets no second start from us, since it may
// still start the program itself.
ShellStartResult startThroughDesktopShell(const std::string& file, const std::string& directory);

}  // namespace talvek
