#include "installer/DirectoryPreparation.h"

#include <gtest/gtest.h>

#include "installer/InstallFolder.h"
#include "installer/KeepAside.h"
#include "installer/ProcessControl.h"
#include "tests/windows/TestSupport.h"

using namespace talvek;
using test::fileExists;

namespace {

std::optional<std::string> prepare(const std::string& dir) {
  KeepAside keepAside;
  InstallFolder folder;
  return prepareInstallDirectory(dir, {}, keepAside, folder);
}

}  // namespace

TEST(DirectoryPreparation, RefusesChinesePathsBeforeTouchingAnything) {
  test::ScratchDir scratch;
  const std::string dir = scratch.path() + "中文\\";
  EXPECT_EQ(prepare(dir), std::string(message::kChinesePath));
  EXPECT_FALSE(test::directoryExists(dir));
}

TEST(DirectoryPreparation, CreatesOnlyTheLastLevel) {
  test::ScratchDir scratch;
  EXPECT_EQ(prepare(scratch.path() + "Talvek\\"), std::nullopt);
  EXPECT_TRUE(test::directoryExists(scratch.path() + "Talvek"));

  const std::string deep = scratch.path() + "gone\\Talvek\\";
  EXPECT_EQ(prepare(deep), creationFailedMessage(deep));
  EXPECT_FALSE(test::directoryExists(deep));
}

TEST(DirectoryPreparation, EndsTheRunningProductAndDeletesOnlyItsExecutable) {
  test::ScratchDir scratch;
  const std::string dir = scratch.path();
  test::StartedProgram product(test::placeStub(dir, "Talvek.exe"));
  test::StartedProgram updater(test::placeStub(dir, "Freshen.exe"));
  ASSERT_TRUE(product.started() && updater.started());
  test::writeFileBytes(dir + "Skin.dll", "kept");

  EXPECT_EQ(prepare(dir), std::nullopt);
  EXPECT_TRUE(product.waitForExit(5000));
  EXPECT_TRUE(updater.waitForExit(5000));
  EXPECT_FALSE(fileExists(dir + "Talvek.exe"));
  EXPECT_TRUE(fileExists(dir + "Freshen.exe"));
  EXPECT_TRUE(fileExists(dir + "Skin.dll"));
}

// The user may then choose another folder and install there: nothing of
// the first folder may move with that installation.
TEST(DirectoryPreparation, AnExecutableThatCannotBeDeletedIsReportedAndAnotherFolderLeavesItAlone) {
  test::ScratchDir scratch;
  const std::string dir = scratch.path() + "First\\";
  const std::string other = scratch.path() + "Other\\";
  ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr) && CreateDirectoryA(other.c_str(), nullptr));
  test::writeFileBytes(dir + "Talvek.exe", "old");
  test::writeFileBytes(other + "Talvek.exe", "other");
  KeepAside keepAside;
  InstallFolder folder;
  // Held open without delete sharing, as a program of another user would.
  HANDLE held =
      CreateFileA((dir + "Talvek.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  auto message = prepareInstallDirectory(dir, {}, keepAside, folder);
  CloseHandle(held);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(*message, deletionFailedMessage(dir));
  EXPECT_NE(message->find(dir + "Talvek.exe"), std::string::npos);

  EXPECT_EQ(prepareInstallDirectory(other, {}, keepAside, folder), std::nullopt);
  EXPECT_FALSE(fileExists(other + "Talvek.exe"));
  EXPECT_EQ(test::readFileBytes(dir + "Talvek.exe"), "old");
  EXPECT_TRUE(keepAside.activeIn(folder.root()));
}

// From the click's first look at the folder it cannot be renamed away and
// replaced by a link; a folder that is a link already is refused.
TEST(DirectoryPreparation, TheAcceptedFolderIsHeldAndALinkInItsPlaceIsRefused) {
  test::ScratchDir scratch;
  const std::string dir = scratch.path() + "Talvek\\";
  KeepAside keepAside;
  InstallFolder folder;
  ASSERT_EQ(prepareInstallDirectory(dir, {}, keepAside, folder), std::nullopt);
  EXPECT_FALSE(MoveFileA((scratch.path() + "Talvek").c_str(), (scratch.path() + "Renamed").c_str()));

  const std::string outside = scratch.path() + "outside";
  ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr));
  test::PlantedLink link(scratch.path() + "Linked", outside, true);
  ASSERT_TRUE(link.planted());
  const std::string linked = scratch.path() + "Linked\\";
  EXPECT_EQ(prepareInstallDirectory(linked, {}, keepAside, folder), creationFailedMessage(linked));
  EXPECT_FALSE(folder.held());
  EXPECT_TRUE(MoveFileA((scratch.path() + "Talvek").c_str(), (scratch.path() + "Renamed").c_str()));
}
