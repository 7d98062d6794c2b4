#include "installer/LaunchRoute.h"

namespace talvek {
namespace {

std::string_view elevationText(Elevation elevation) {
  switch (elevation) {
    case Elevation::Elevated: return "the installer is elevated";
    case Elevation::NotElevated: return "the installer is not elevated";
    case Elevation::Unknown: return "the installer's elevation is unknown";
  }
  return {};
}

}  // namespace

bool wantsDesktopShell(Elevation elevation) { return elevation != Elevation::NotElevated; }

LaunchRoute chooseLaunchRoute(Elevation elevation, ShellAnswer answer) {
  if (answer == ShellAnswer::Started || answer == ShellAnswer::NoAnswer) return LaunchRoute::DesktopShell;
  return wantsDesktopShell(elevation) ? LaunchRoute::None : LaunchRoute::Direct;
}

std::string describeLaunch(Elevation elevation, LaunchRoute taken, std::string_view shellFailure) {
  std::string text(elevationText(elevation));
  if (taken == LaunchRoute::DesktopShell) return text + "; route: desktop shell, with the shell's own rights";
  text += taken == LaunchRoute::Direct ? "; route: direct, with the installer's rights"
                                       : "; route: none, nothing started with the installer's rights";
  if (wantsDesktopShell(elevation)) {
    text += "; no desktop shell route";
    if (!shellFailure.empty()) text += " (" + std::string(shellFailure) + ")";
  }
  return text;
}

}  // namespace talvek
