#include "installer/InstallerFinishing.h"

#include <gtest/gtest.h>

#include "installer/InstallDateText.h"
#include "installer/InstallLog.h"
#include "installer/PathChecks.h"
#include "installer/ProcessControl.h"
#include "installer/SpecialFolder.h"
#include "netutil/RegistryItems.h"
#include "netutil/SystemIntegration.h"
#include "tests/windows/TestSupport.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

using namespace talvek;
using test::fileExists;

namespace {

class StatusRecorder : public InstallationView {
 public:
  void setStatus(const std::string& text) override { statuses.push_back(text); }
  void setProgress(int) override {}
  void restoreWindow() override {}
  std::vector<std::string> statuses;
};

struct FixedOptions : InstallOptions {
  bool quick = false, desktop = false, startMenu = false;
  bool quickLaunch() const override { return quick; }
  bool desktopShortcut() const override { return desktop; }
  bool startMenuShortcuts() const override { return startMenu; }
};

void removeProtocolEverywhere() {
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_CONFIG, HKEY_CURRENT_USER}) RegDeleteTreeA(root, "Talvek");
}

class InstallerFinishingTest : public ::testing::Test {
 protected:
  void SetUp() override { removeProtocolEverywhere(); }
  void TearDown() override {
    removeProtocolEverywhere();
    RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Talvek");
  }
  test::ScratchDir scratch;
  StatusRecorder view;
  FixedOptions options;
  InstallerFinishing finishing{view, options, integration};
};

}  // namespace

TEST_F(InstallerFinishingTest, RegistersTheComponentOnlyWhereItIsMissing) {
  const std::string dir = scratch.path();
  RegistryItems::writeText(2, "Talvek\\shell\\open\\command\\", "\"C:\\elsewhere\\Beacon.exe\" \"%1\"");

  finishing.registerComponent(dir);
  EXPECT_EQ(view.statuses, std::vector<std::string>(2, status::kRegisteringComponent));
  for (int root : {1, 2, 3}) EXPECT_TRUE(integration.isProtocolRegistered("Talvek", root)) << root;
  EXPECT_NE(integration.readProtocolCommand("Talvek", 1).find(dir + "Auxiliary\\Beacon.exe"), std::string::npos);
  EXPECT_NE(integration.readProtocolCommand("Talvek", 2).find("elsewhere"), std::string::npos);

  view.statuses.clear();
  finishing.registerComponent(dir);
  EXPECT_TRUE(view.statuses.empty());
}

TEST_F(InstallerFinishingTest, AnEarlierUnquotedRegistrationOfThisComponentIsWrittenAgainQuoted) {
  const std::string dir = scratch.path() + "My Apps\\Talvek\\";
  const std::string handler = dir + "Auxiliary\\Beacon.exe";
  const std::string command = "Talvek\\shell\\open\\command\\";
  const std::string foreign = "C:\\Other Apps\\Talvek\\Auxiliary\\Beacon.exe  \"%1\"";
  // As earlier versions wrote them: the path without quotes.
  RegistryItems::writeText(1, command, handler + "  \"%1\"");
  RegistryItems::writeText(2, command, foreign);

  finishing.registerComponent(dir);
  EXPECT_EQ(view.statuses, std::vector<std::string>(2, status::kRegisteringComponent));
  EXPECT_EQ(integration.readProtocolCommand("Talvek", 1), "\"" + handler + "\"  \"%1\"");
  EXPECT_EQ(integration.readProtocolCommand("Talvek", 3), "\"" + handler + "\"  \"%1\"");
  // Another installation's registration is not this installer's to change.
  EXPECT_EQ(integration.readProtocolCommand("Talvek", 2), foreign);

  view.statuses.clear();
  finishing.registerComponent(dir);
  EXPECT_TRUE(view.statuses.empty());
}

TEST_F(InstallerFinishingTest, WritesTheUninstallEntry) {
  const std::string dir = "C:\\Program Files\\Talvek\\";
  SYSTEMTIME before;
  GetLocalTime(&before);
  finishing.writeUninstallEntry(dir);

  const std::string key = kUninstallKey;
  EXPECT_TRUE(RegistryItems::exists(3, key));
  EXPECT_EQ(RegistryItems::readText(3, key + "DisplayIcon"), dir + "Auxiliary\\DEFAULT_ICON.ico");
  EXPECT_EQ(RegistryItems::readText(3, key + "Publisher"), "Talvek");
  EXPECT_EQ(RegistryItems::readText(3, key + "DisplayName"), "Talvek");
  EXPECT_EQ(RegistryItems::readText(3, key + "DisplayVersion"), "1.6.3.5");
  EXPECT_EQ(RegistryItems::readText(3, key + "UninstallString"), "\"" + dir + "Remover.exe\"");
  std::string date = installDateText({before.wYear, before.wMonth, before.wDay, 0, 0, 0});
  EXPECT_EQ(RegistryItems::readText(3, key + "InstallDate").rfind(date, 0), 0u);
}

TEST_F(InstallerFinishingTest, MakesOnlyTheChosenShortcuts) {
  const std::string dir = scratch.path();
  const std::string desktopLink = specialFolder(kFolderDesktop) + "Talvek·新神器.lnk";
  const std::string menuLink = specialFolder(kFolderStartMenu) + "Talvek.lnk";
  const std::string programsLink = specialFolder(kFolderPrograms) + "Talvek\\启动Talvek.lnk";

  finishing.createChosenShortcuts(dir);
  EXPECT_TRUE(view.statuses.empty());
  EXPECT_FALSE(fileExists(desktopLink));
  EXPECT_FALSE(fileExists(menuLink));

  options.quick = options.desktop = options.startMenu = true;
  finishing.createChosenShortcuts(dir);
  EXPECT_EQ(view.statuses,
            (std::vector<std::string>{status::kQuickLaunch, status::kDesktopShortcut, status::kStartMenuShortcuts}));
  EXPECT_TRUE(fileExists(desktopLink));
  EXPECT_TRUE(fileExists(menuLink));
  EXPECT_TRUE(fileExists(programsLink));
  DeleteFileA(desktopLink.c_str());
  DeleteFileA(menuLink.c_str());
  DeleteFileA(programsLink.c_str());
}

TEST_F(InstallerFinishingTest, AShortcutFolderTheShellCannotNameIsSkippedNotTakenAsTheCurrentDirectory) {
  test::ScratchDir current, desktop;
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(current.path().c_str()));
  options.quick = options.desktop = options.startMenu = true;

  // Nothing but the desktop can be named.
  InstallerFinishing onlyDesktop(view, options, integration,
                                 [&](int code) { return code == kFolderDesktop ? desktop.path() : std::string(); });
  onlyDesktop.createChosenShortcuts(scratch.path());
  InstallerFinishing noFolders(view, options, integration, [](int) { return std::string(); });
  noFolders.createChosenShortcuts(scratch.path());
  SetCurrentDirectoryA(previous);

  EXPECT_TRUE(fileExists(desktop.path() + "Talvek·新神器.lnk"));
  EXPECT_FALSE(fileExists(current.path() + "Talvek·新神器.lnk"));
  EXPECT_FALSE(fileExists(current.path() + "Talvek.lnk"));
  EXPECT_FALSE(fileExists(current.path() + "Talvek"));
  // Each step still shows its status.
  EXPECT_EQ(view.statuses.size(), 6u);
}

TEST_F(InstallerFinishingTest, StartsTheProductAndOpensTheReadMeWithoutWaitingForever) {
  // A directory with a space, and a decoy where an unquoted command line
  // would look first.
  const std::string dir = scratch.path() + "Talvek Product\\";
  test::placeStub(dir, "Talvek.exe");
  test::placeStub(scratch.path(), "Talvek.exe");
  // The installer's own start, where the command line is ours to quote.
  finishing.setElevation(Elevation::NotElevated);
  DWORD start = GetTickCount();
  finishing.startProduct(dir);
  const ProcessControl product(dir);
  ASSERT_TRUE(test::waitUntil([&] { return product.processExists("Talvek.exe"); }, 20000));
  talvek::Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, product.findProcessId("Talvek.exe")));
  char image[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  ASSERT_TRUE(QueryFullProcessImageNameA(process.get(), 0, image, &length));
  EXPECT_EQ(std::string(image, length), dir + "Talvek.exe");
  EXPECT_TRUE(product.stopProcess(std::string("Talvek.exe")));

  // Nothing is associated with this extension: no dialog, no hang.
  test::writeFileBytes(scratch.path() + "readme.talvek-unassociated", "x");
  finishing.openReadMe(scratch.path() + "readme.talvek-unassociated", scratch.path());
  finishing.startProduct(scratch.path() + "missing\\");
  EXPECT_LT(GetTickCount() - start, 20000u);
}

namespace {

std::string stubLogPath() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return std::string(temp) + "TalvekStub.log";
}

// The working folder the stand-in product recorded for its last start as `name`.
std::string lastRecordedFolder(const std::string& name) {
  const std::string log = test::readFileBytes(stubLogPath());
  std::string folder;
  size_t at = 0;
  while ((at = log.find(name + "|", at)) != std::string::npos) {
    if (at == 0 || log[at - 1] == '\n') {
      const size_t end = log.find_first_of("\r\n", at);
      const std::string line = log.substr(at, end == std::string::npos ? std::string::npos : end - at);
      folder = line.substr(line.rfind('|') + 1);
    }
    at += name.size();
  }
  return folder;
}

}  // namespace

TEST_F(InstallerFinishingTest, TheProductStartsInTheInstallationFolderByTheRouteTheLogNames) {
  const std::string dir = scratch.path() + "Talvek Product\\";
  test::placeStub(dir, "Talvek.exe");
  DeleteFileA(stubLogPath().c_str());
  ASSERT_TRUE(installLog().open(toWide(scratch.path() + "install.log")));
  const ProcessControl product(dir);

  finishing.setElevation(Elevation::NotElevated);
  finishing.startProduct(dir);
  ASSERT_TRUE(test::waitUntil([&] { return !lastRecordedFolder("Talvek.exe").empty(); }, 20000));
  // The system spells a working folder without its closing separator.
  EXPECT_TRUE(samePath(lastRecordedFolder("Talvek.exe") + "\\", dir)) << lastRecordedFolder("Talvek.exe");
  EXPECT_NE(test::readFileBytes(scratch.path() + "install.log").find("not elevated; route: direct"), std::string::npos);
  EXPECT_TRUE(product.stopProcess(std::string("Talvek.exe")));
  ASSERT_TRUE(test::waitUntil([&] { return !product.processExists("Talvek.exe"); }, 10000));

  // Elevated, the desktop's shell view starts it: Wine's desktop answers
  // that route as Windows Explorer does.
  DeleteFileA(stubLogPath().c_str());
  finishing.setElevation(Elevation::Elevated);
  finishing.startProduct(dir);
  ASSERT_TRUE(test::waitUntil([&] { return !lastRecordedFolder("Talvek.exe").empty(); }, 20000));
  EXPECT_TRUE(samePath(lastRecordedFolder("Talvek.exe") + "\\", dir)) << lastRecordedFolder("Talvek.exe");
  EXPECT_NE(test::readFileBytes(scratch.path() + "install.log").find("is elevated; route: desktop shell"),
            std::string::npos)
      << test::readFileBytes(scratch.path() + "install.log");
  EXPECT_TRUE(test::waitUntil([&] { return product.stopProcess(std::string("Talvek.exe")); }, 10000));

  // Elevated, what the shell is not asked to open is not opened with the
  // installer's rights either.
  test::writeFileBytes(scratch.path() + "readme.talvek-unassociated", "x");
  finishing.openReadMe(scratch.path() + "readme.talvek-unassociated", scratch.path());
  EXPECT_NE(test::readFileBytes(scratch.path() + "install.log")
                .find("route: none, nothing started with the installer's rights; no desktop shell route (no program "
                      "opens such a file); the read-me was not opened"),
            std::string::npos)
      << test::readFileBytes(scratch.path() + "install.log");
}
