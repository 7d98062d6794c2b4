#include "installer/FreshFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "installer/PrivateFolderRights.h"
#include "installer/ProcessToken.h"
#include "tests/windows/TestSupport.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

using namespace talvek;

namespace {

const std::wstring kRights = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

}  // namespace

TEST(FreshFolder, NeverTakesANameThatExistsAndIsEmpty) {
  test::ScratchDir scratch;
  const std::string stem = scratch.path() + "Copy-" + std::to_string(GetCurrentProcessId()) + "-";
  // Names planted in advance: a folder with a file in it, and a file.
  ASSERT_TRUE(CreateDirectoryA((stem + "0").c_str(), nullptr));
  ASSERT_TRUE(test::writeFileBytes(stem + "0\\Remover.exe", "planted"));
  ASSERT_TRUE(test::writeFileBytes(stem + "1", "planted"));

  const FreshFolder first = createFreshFolder(toWide(scratch.path()), L"Copy-", kRights);
  EXPECT_EQ(fromWide(first.path), stem + "2\\");
  EXPECT_FALSE(test::fileExists(fromWide(first.path) + "Remover.exe"));
  const FreshFolder second = createFreshFolder(toWide(scratch.path()), L"Copy-", kRights);
  EXPECT_EQ(fromWide(second.path), stem + "3\\");
  EXPECT_EQ(test::readFileBytes(stem + "0\\Remover.exe"), "planted");
  EXPECT_EQ(test::readFileBytes(stem + "1"), "planted");

  EXPECT_EQ(createFreshFolder(toWide(scratch.path() + "missing\\"), L"Copy-", kRights).path, L"");
}

// Which rules a folder gets is decided natively (PrivateFolderRights);
// Wine gives every new folder its own.
TEST(FreshFolder, IsHeldFromItsStartAndNeedsRules) {
  test::ScratchDir scratch;
  const std::wstring parent = toWide(scratch.path());
  FreshFolder folder =
      createFreshFolder(parent, L"Copy-", privateFolderRights(Elevation::NotElevated, currentUserSid()));
  ASSERT_FALSE(folder.path.empty());
  const std::wstring elsewhere = parent + L"moved";
  EXPECT_FALSE(MoveFileW(folder.path.c_str(), elsewhere.c_str())) << "renamed while held";
  folder.held.reset();
  EXPECT_TRUE(MoveFileW(folder.path.c_str(), elsewhere.c_str()));

  // No rules, or text that is none, make no folder rather than one with
  // the temp folder's rights.
  EXPECT_EQ(createFreshFolder(parent, L"Copy-", L"").path, L"");
  EXPECT_EQ(createFreshFolder(parent, L"Copy-", L"not rules").path, L"");
}
