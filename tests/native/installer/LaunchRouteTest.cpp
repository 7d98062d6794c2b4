#include "installer/LaunchRoute.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(LaunchRoute, OnlyAnInstallerKnownNotToBeElevatedStartsDirectlyFirst) {
  EXPECT_TRUE(wantsDesktopShell(Elevation::Elevated));
  EXPECT_TRUE(wantsDesktopShell(Elevation::Unknown));
  EXPECT_FALSE(wantsDesktopShell(Elevation::NotElevated));
}

TEST(LaunchRoute, AnInstallerThatMayBeElevatedNeverStartsAnythingItselfWhenTheShellFailsIt) {
  constexpr LaunchRoute shell = LaunchRoute::DesktopShell, direct = LaunchRoute::Direct, none = LaunchRoute::None;
  const struct {
    Elevation elevation;
    LaunchRoute notAsked, started, noRoute, noAnswer;
  } table[] = {
      {Elevation::Elevated, none, shell, none, shell},
      {Elevation::Unknown, none, shell, none, shell},
      {Elevation::NotElevated, direct, shell, direct, shell},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(static_cast<int>(row.elevation));
    EXPECT_EQ(chooseLaunchRoute(row.elevation, ShellAnswer::NotAsked), row.notAsked);
    EXPECT_EQ(chooseLaunchRoute(row.elevation, ShellAnswer::Started), row.started);
    EXPECT_EQ(chooseLaunchRoute(row.elevation, ShellAnswer::NoRoute), row.noRoute);
    // The shell may still start it: a second start would make two.
    EXPECT_EQ(chooseLaunchRoute(row.elevation, ShellAnswer::NoAnswer), row.noAnswer);
  }
}

TEST(LaunchRoute, TheLogNamesTheRouteAndWhyTheShellWasNotUsed) {
  EXPECT_EQ(describeLaunch(Elevation::NotElevated, LaunchRoute::Direct),
            "the installer is not elevated; route: direct, with the installer's rights");
  EXPECT_EQ(describeLaunch(Elevation::Elevated, LaunchRoute::DesktopShell),
            "the installer is elevated; route: desktop shell, with the shell's own rights");
  EXPECT_EQ(describeLaunch(Elevation::Elevated, LaunchRoute::None, "no desktop window"),
            "the installer is elevated; route: none, nothing started with the installer's rights; no desktop shell "
            "route (no desktop window)");
  EXPECT_EQ(describeLaunch(Elevation::Unknown, LaunchRoute::None),
            "the installer's elevation is unknown; route: none, nothing started with the installer's rights; no "
            "desktop shell route");
  // A reason given for an installer that never asked the shell is not invented into the log.
  EXPECT_EQ(describeLaunch(Elevation::NotElevated, LaunchRoute::Direct, "ignored"),
            "the installer is not elevated; route: direct, with the installer's rights");
}
