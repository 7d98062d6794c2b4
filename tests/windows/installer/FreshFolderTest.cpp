#include "installer/FreshFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/windows/TestSupport.h"
#include "toolkit/core/CodePage.h"

using namespace talvek;

TEST(FreshFolder, NeverTakesANameThatExistsAndIsEmpty) {
  test::ScratchDir scratch;
  const std::string stem = scratch.path() + "Copy-" + std::to_string(GetCurrentProcessId()) + "-";
  // Names planted in advance: a folder with a file in it, and a file.
  ASSERT_TRUE(CreateDirectoryA((stem + "0").c_str(), nullptr));
  ASSERT_TRUE(test::writeFileBytes(stem + "0\\Remover.exe", "planted"));
  ASSERT_TRUE(test::writeFileBytes(stem + "1", "planted"));

  const std::wstring first = createFreshFolder(toWide(scratch.path()), L"Copy-");
  EXPECT_EQ(fromWide(first), stem + "2\\");
  EXPECT_FALSE(test::fileExists(fromWide(first) + "Remover.exe"));
  const std::wstring second = createFreshFolder(toWide(scratch.path()), L"Copy-");
  EXPECT_EQ(fromWide(second), stem + "3\\");
  EXPECT_EQ(test::readFileBytes(stem + "0\\Remover.exe"), "planted");
  EXPECT_EQ(test::readFileBytes(stem + "1"), "planted");

  EXPECT_EQ(createFreshFolder(toWide(scratch.path() + "missing\\"), L"Copy-"), L"");
}
