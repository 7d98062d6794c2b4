#include "installer/LaunchRoute.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(LaunchRoute, OnlyAnInstallerKnownNotToBeElevatedStartsDirectlyFirst) {
  EXPECT_TRUE(wantsDesktopShell(Elevation::Elevated));
  EXPECT_TRUE(wantsDesktopShell(Elevation::Unknown));
  EXPECT_FALSE(wantsDesktopShell(Elevation::NotElevated));
}

TEST(LaunchRoute, TheLogNamesTheRouteAndWhyTheShellWasNotUsed) {
  EXPECT_EQ(describeLaunch(Elevation::NotElevated, LaunchRoute::Direct),
            "the installer is not elevated; route: direct, with the installer's rights");
  EXPECT_EQ(describeLaunch(Elevation::Elevated, LaunchRoute::DesktopShell),
            "the installer is elevated; route: desktop shell, with the shell's own rights");
  EXPECT_EQ(describeLaunch(Elevation::Elevated, LaunchRoute::Direct, "no desktop window"),
            "the installer is elevated; route: direct, with the installer's rights; no desktop shell route "
            "(no desktop window)");
  EXPECT_EQ(describeLaunch(Elevation::Unknown, LaunchRoute::Direct),
            "the installer's elevation is unknown; route: direct, with the installer's rights; no desktop shell route");
  // A reason given for an installer that never asked the shell is not invented into the log.
  EXPECT_EQ(describeLaunch(Elevation::NotElevated, LaunchRoute::Direct, "ignored"),
            "the installer is not elevated; route: direct, with the installer's rights");
}
