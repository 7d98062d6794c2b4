#include "installer/EnvironmentText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace talvek::test {
namespace {

TEST(EnvironmentText, AChineseValueArrivesWholeInTheSystemCodePage) {
  SetEnvironmentVariableW(L"TALVEK_TEST_FOLDER", L"C:\\\u8F6F\u4EF6\\x");  // C:\软件\x
  EXPECT_EQ(environmentText(L"TALVEK_TEST_FOLDER"), std::optional<std::string>("C:\\软件\\x"));
  SetEnvironmentVariableW(L"TALVEK_TEST_FOLDER", nullptr);
  EXPECT_EQ(environmentText(L"TALVEK_TEST_FOLDER"), std::nullopt);
}

}  // namespace
}  // namespace talvek::test
