// How the installer starts the product and opens the read-me: nothing it
// starts should have the installer's elevated rights when it need not.
#pragma once

#include <string>
#include <string_view>

namespace talvek {

enum class Elevation { Elevated, NotElevated, Unknown };

enum class LaunchRoute {
  DesktopShell,  // asked of the desktop shell, which starts it with its own (unelevated) rights
  Direct,        // started by the installer itself, with the installer's rights
};

// The desktop shell is asked first whenever the installer runs, or may run,
// elevated; otherwise there is nothing to shed and it starts directly.
bool wantsDesktopShell(Elevation elevation);

// The install log's account of a start: the route taken, and for a direct
// start of an installer that asked the shell first, why the shell did not
// do it (`shellFailure`).
std::string describeLaunch(Elevation elevation, LaunchRoute taken, std::string_view shellFailure = {});

}  // namespace talvek
