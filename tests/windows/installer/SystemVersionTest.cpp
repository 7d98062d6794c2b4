#include "installer/SystemVersion.h"

#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"
#include "toolkit/core/WinHandles.h"

namespace {

// Runs version_probe.exe with Wine's per-program version setting.
int probeUnder(const char* wineVersion) {
  const char* key = "Software\\Wine\\AppDefaults\\version_probe.exe";
  talvek::RegKey settings;
  RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, settings.put(), nullptr);
  RegSetValueExA(settings.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion),
                 static_cast<DWORD>(strlen(wineVersion) + 1));
  talvek::test::StartedProgram probe(talvek::test::testDataDir() + "version_probe.exe");
  probe.waitForExit(30000);
  int code = static_cast<int>(probe.exitCode());
  RegDeleteKeyA(HKEY_CURRENT_USER, key);
  return code;
}

}  // namespace

TEST(SystemVersion, ReadsTheVersionFromTheProcessEnvironmentBlock) {
  EXPECT_EQ(probeUnder("win7"), 9);
  EXPECT_EQ(probeUnder("win10"), 0);
  EXPECT_EQ(probeUnder("winxp"), 6);
  EXPECT_EQ(probeUnder("vista"), 8);
}

TEST(SystemVersion, XpIsCodeSix) { EXPECT_EQ(talvek::isWindowsXp(), talvek::windowsVersionCode() == 6); }
