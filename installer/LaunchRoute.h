// How the installer starts the product and opens the read-me: nothing it
// starts should have the installer's elevated rights when it need not.
#pragma once

#include <string>
#include <string_view>

namespace talvek {

enum class Elevation { Elevated, NotElevated, Unknown };

// What came of asking the desktop shell to start something.
enum class ShellAnswer {
  NotAsked,
  Started,   // the shell took it
  NoRoute,   // the shell could not be asked
  NoAnswer,  // asked, but no answer in time: it may still start
};

enum class LaunchRoute {
  DesktopShell,  // left to the desktop shell, which starts it with its own (unelevated) rights
  Direct,        // started by the installer itself, with the installer's rights
  None,          // not started: the installer's rights were all that was left
};

// The desktop shell is asked first whenever the installer runs, or may run,
// elevated; otherwise there is nothing to shed and it starts directly.
bool wantsDesktopShell(Elevation elevation);

// An installer that may be elevated never starts anything itself, also not
// when the shell failed it: the user can start the product from its
// shortcut, without the installer's rights.
LaunchRoute chooseLaunchRoute(Elevation elevation, ShellAnswer answer);

// The install log's account of a start: the route taken, and for an
// installer that asked the shell first but was not served by it, why
// (`shellFailure`).
std::string describeLaunch(Elevation elevation, LaunchRoute taken, std::string_view shellFailure = {});

}  // namespace talvek
