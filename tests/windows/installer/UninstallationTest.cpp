#include "installer/Uninstallation.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "installer/InstallerFinishing.h"
#include "installer/ProcessControl.h"
#include "installer/SpecialFolder.h"
#include "installer/ZipExtractor.h"
#include "netutil/RegistryItems.h"
#include "netutil/SystemIntegration.h"
#include "tests/windows/TestSupport.h"
#include "toolkit/core/WinHandles.h"

using namespace talvek;
using test::fileExists;

namespace {

struct NoView : InstallationView {
  void setStatus(const std::string&) override {}
  void setProgress(int) override {}
  void restoreWindow() override {}
};

struct AllOptions : InstallOptions {
  bool quickLaunch() const override { return true; }
  bool desktopShortcut() const override { return true; }
  bool startMenuShortcuts() const override { return true; }
};

std::string leftOver(const std::string& dir) {
  std::string names;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((dir + "*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return "(nothing)";
  do names += std::string(entry.cFileName) + " ";
  while (FindNextFileA(search, &entry));
  FindClose(search);
  return names;
}

const std::string kForeignProtocolCommand = "\"C:\\Other\\Beacon.exe\" \"%1\"";

class UninstallationTest : public ::testing::Test {
 protected:
  // Lays down what a real installation leaves: files, protocol keys,
  // shortcuts and the uninstall entry; HKEY_CURRENT_CONFIG holds someone
  // else's registration.
  void SetUp() override {
    dir = scratch.path() + "My Apps\\Talvek\\";
    CreateDirectoryA((scratch.path() + "My Apps").c_str(), nullptr);
    ASSERT_TRUE(extractZip(test::testDataDir() + "payload.zip", dir, nullptr));
    RegistryItems::writeText(2, "Talvek\\shell\\open\\command\\", kForeignProtocolCommand);
    finishing.registerComponent(dir);
    finishing.createChosenShortcuts(dir);
    finishing.writeUninstallEntry(dir);
  }
  void TearDown() override {
    for (int root : {1, 2, 3}) RegDeleteTreeA(RegistryItems::rootKey(root), "Talvek");
  }

  void expectEverythingOfOursGone() {
    EXPECT_FALSE(test::directoryExists(dir));
    EXPECT_FALSE(fileExists(specialFolder(kFolderDesktop) + "Talvek·新神器.lnk"));
    EXPECT_FALSE(fileExists(specialFolder(kFolderStartMenu) + "Talvek.lnk"));
    EXPECT_FALSE(test::directoryExists(specialFolder(kFolderPrograms) + "Talvek"));
    EXPECT_FALSE(integration.isProtocolRegistered("Talvek", 1));
    EXPECT_FALSE(integration.isProtocolRegistered("Talvek", 3));
    EXPECT_EQ(integration.readProtocolCommand("Talvek", 2), kForeignProtocolCommand);
    EXPECT_FALSE(RegistryItems::exists(3, std::string(kUninstallKey)));
  }

  test::ScratchDir scratch;
  std::string dir;
  NoView view;
  AllOptions options;
  InstallerFinishing finishing{view, options, integration};
};

}  // namespace

TEST_F(UninstallationTest, RemovesEverythingTheInstallerWroteAndNothingElse) {
  // Another program of the same name elsewhere, started first, is not ours.
  test::StartedProgram stranger(test::placeStub(scratch.path() + "Other\\", "Talvek.exe"));
  test::StartedProgram product(dir + "Talvek.exe");
  ASSERT_TRUE(product.started() && stranger.started());
  ASSERT_TRUE(fileExists(specialFolder(kFolderDesktop) + "Talvek·新神器.lnk"));
  test::writeFileBytes(scratch.path() + "neighbour.txt", "not ours");

  EXPECT_EQ(uninstallProduct(dir).result, UninstallResult::Removed);
  EXPECT_TRUE(product.waitForExit(5000));
  expectEverythingOfOursGone();
  EXPECT_TRUE(fileExists(scratch.path() + "neighbour.txt"));
  EXPECT_TRUE(stranger.isRunning());
}

TEST_F(UninstallationTest, AnEarlierVersionsUnquotedRegistrationIsRemovedToo) {
  RegistryItems::writeText(3, "Talvek\\shell\\open\\command\\", dir + "Auxiliary\\Beacon.exe  \"%1\"");
  RegistryItems::writeText(3, std::string(kUninstallKey) + "UninstallString", dir + "Remover.exe");
  EXPECT_EQ(uninstallProduct(dir).result, UninstallResult::Removed);
  expectEverythingOfOursGone();
}

TEST_F(UninstallationTest, ADirectoryWithoutTheProductIsLeftAlone) {
  test::ScratchDir elsewhere;
  test::writeFileBytes(elsewhere.path() + "precious.doc", "user data");
  EXPECT_EQ(uninstallProduct(elsewhere.path()).result, UninstallResult::NotAnInstallation);
  EXPECT_TRUE(fileExists(elsewhere.path() + "precious.doc"));
  EXPECT_EQ(uninstallProduct("").result, UninstallResult::NotAnInstallation);
  // The installation itself is untouched by those calls.
  EXPECT_TRUE(fileExists(dir + "Talvek.exe"));
  EXPECT_TRUE(RegistryItems::exists(3, std::string(kUninstallKey)));
}

TEST_F(UninstallationTest, HeldFilesAreNamedAndKeepTheEntryForATryAfterTheyAreReleased) {
  const std::set<std::string> heldNames = {"使用说明.txt", "Auxiliary\\player.css", "images\\Guide\\guide3.gif"};
  std::vector<Handle> holds;
  std::set<std::string> heldPaths;
  for (const std::string& name : heldNames) {
    holds.emplace_back(CreateFileA((dir + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holds.back()) << name;
    heldPaths.insert(dir + name);
  }

  const DWORD started = GetTickCount();
  const UninstallOutcome first = uninstallProduct(dir);
  const DWORD took = GetTickCount() - started;
  EXPECT_EQ(first.result, UninstallResult::Incomplete);
  std::set<std::string> named;
  for (const LeftBehind& item : first.left) {
    named.insert(item.what);
    EXPECT_EQ(item.error, static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << item.what;
  }
  EXPECT_EQ(named, heldPaths);
  // One budget for all of them, not a wait for each.
  EXPECT_LT(took, 6000u);
  // What the entry's command needs to try again stays; everything else went.
  EXPECT_TRUE(RegistryItems::exists(3, std::string(kUninstallKey)));
  EXPECT_TRUE(fileExists(dir + "Talvek.exe"));
  EXPECT_TRUE(fileExists(dir + "Remover.exe"));
  EXPECT_FALSE(fileExists(dir + "Skin.dll"));
  EXPECT_FALSE(test::directoryExists(dir + "play\\"));

  holds.clear();
  const UninstallOutcome second = uninstallProduct(dir);
  EXPECT_EQ(second.result, UninstallResult::Removed);
  EXPECT_TRUE(second.left.empty());
  expectEverythingOfOursGone();
}

TEST_F(UninstallationTest, TheInstalledRemoverRemovesTheInstallationAndItself) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string pattern = std::string(temp) + "TalvekRemover-*";
  auto copies = [&] {
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
      found.push_back(std::string(temp) + entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return found;
  };
  // Copies left by an earlier, interrupted run would read as this run's.
  for (const std::string& stale : copies()) {
    DeleteFileA((stale + "\\Remover.exe").c_str());
    if (!RemoveDirectoryA(stale.c_str())) DeleteFileA(stale.c_str());
  }

  test::StartedProgram remover(dir + "Remover.exe", "/S");
  ASSERT_TRUE(remover.started());
  EXPECT_TRUE(remover.waitForExit(10000));
  // The copy works from a folder of its own in the temp folder, never from a
  // file name there that could have been planted.
  const std::vector<std::string> working = copies();
  ASSERT_EQ(working.size(), 1u);
  EXPECT_TRUE(test::directoryExists(working[0] + "\\")) << working[0];
  ASSERT_TRUE(test::waitUntil([&] { return !test::directoryExists(dir); }, 30000)) << leftOver(dir);
  expectEverythingOfOursGone();

  // Its temporary copy and folder are gone shortly after it ends.
  EXPECT_TRUE(test::waitUntil([&] { return copies().empty(); }, 15000));
}
