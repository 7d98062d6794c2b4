// Starting a program or opening a file through the desktop shell, so that
// it runs with the shell's own rights rather than an elevated installer's.
#pragma once

#include <string>

#include "installer/LaunchRoute.h"

namespace talvek {

struct ShellStartResult {
  enum Outcome {
    Started,   // the shell took it
    NoRoute,   // the shell cannot be asked: start it some other way
    NoAnswer,  // asked, but no answer in time: it may still start
  };
  Outcome outcome = NoRoute;
  std::string failure;  // why not, for the install log
};

// Asks the desktop's shell view to "open" `file` with `directory` as its
// working folder. The shell's answer is waited for at most a few seconds: a
// shell that does not answer gets no second start from us, since it may
// still start the program itself.
ShellStartResult startThroughDesktopShell(const std::string& file, const std::string& directory);

}  // namespace talvek
