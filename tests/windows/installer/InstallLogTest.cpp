#include "installer/InstallLog.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"
#include "tests/windows/TestSupport.h"

using namespace talvek;

namespace {

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace

TEST(InstallLog, WritesUtf8WithAByteOrderMarkAndIsReplacedAtEachOpen) {
  test::ScratchDir scratch;
  const std::string path = scratch.path() + "TalvekSetup.log";
  {
    InstallLog log;
    ASSERT_TRUE(log.open(toWide(path)));
    log.record("status", "shown", "开始释放文件...！");  // system code page in, UTF-8 out
    log.outcome("write archive", false, "C:\\x\\install.zip", 12, ERROR_ACCESS_DENIED);
  }
  const std::string first = test::readFileBytes(path);
  EXPECT_EQ(first.rfind("\xEF\xBB\xBF", 0), 0u);
  EXPECT_NE(first.find(utf8(u8"| status                 | shown   |          | 开始释放文件...！\r\n")), std::string::npos)
      << first;
  const std::string denied = "| write archive          | FAILED  |    12 ms | C:\\x\\install.zip; error 5 (0x00000005): ";
  const auto at = first.find(denied);
  ASSERT_NE(at, std::string::npos) << first;
  EXPECT_GT(first.find("\r\n", at), at + denied.size()) << "the system's message follows the code";

  InstallLog again;
  ASSERT_TRUE(again.open(toWide(path)));
  const std::string second = test::readFileBytes(path);
  EXPECT_EQ(second.find("write archive"), std::string::npos) << "replaced, not appended to";
  EXPECT_NE(second.find("log opened"), std::string::npos);
}

TEST(InstallLog, AHardLinkInTheLogsPlaceLeavesTheOtherNameUnchanged) {
  test::ScratchDir scratch;
  const std::string path = scratch.path() + "TalvekSetup.log";
  const std::string other = scratch.path() + "someone else's.txt";
  ASSERT_TRUE(test::writeFileBytes(other, "keep me"));
  ASSERT_TRUE(CreateHardLinkA(path.c_str(), other.c_str(), nullptr));
  {
    InstallLog log;
    ASSERT_TRUE(log.open(toWide(path)));
    log.record("status", "shown", "text");
  }
  EXPECT_EQ(test::readFileBytes(other), "keep me");
  EXPECT_NE(test::readFileBytes(path).find("log opened"), std::string::npos);
  // Nothing of the log's own making is left beside it.
  WIN32_FIND_DATAA entry;
  FindHandle search(FindFirstFileA((scratch.path() + "*.new").c_str(), &entry));
  EXPECT_FALSE(search) << entry.cFileName;
}

TEST(InstallLog, ALogThatCannotBeWrittenIsSilentlyAbsent) {
  test::ScratchDir scratch;
  InstallLog log;
  EXPECT_FALSE(log.open(toWide(scratch.path() + "missing\\TalvekSetup.log")));
  EXPECT_FALSE(log.isOpen());
  log.record("status", "shown", "text");
  log.outcome("extract", false, "detail", 1, ERROR_DISK_FULL);
  EXPECT_FALSE(test::directoryExists(scratch.path() + "missing\\"));
}

TEST(InstallLog, ALogWhoseOpeningLinesCannotBeWrittenSaysSo) {
  // A full drive: the file can be made, but not one byte written into it.
  // The suite's runner makes one when it may mount a small file system.
  const char* fullDir = std::getenv("TALVEK_FULL_DIR");
  if (!fullDir || !*fullDir) GTEST_SKIP() << "no full drive given (TALVEK_FULL_DIR)";
  const std::string path = std::string(fullDir) + "TalvekSetup.log";
  InstallLog log;
  EXPECT_FALSE(log.open(toWide(path)));
  EXPECT_FALSE(log.isOpen()) << "nothing more is written into it";
  EXPECT_FALSE(test::fileExists(path)) << "no empty log is left in the name's place";
}

TEST(InstallLog, StaysWithinItsLimitAndSaysWhatWasDropped) {
  test::ScratchDir scratch;
  const std::string path = scratch.path() + "TalvekSetup.log";
  InstallLog log;
  ASSERT_TRUE(log.open(toWide(path)));
  const std::string detail(1000, 'x');
  for (int i = 0; i < 400; ++i) log.record("stop product", "done", detail);
  const std::string bytes = test::readFileBytes(path);
  EXPECT_LE(bytes.size(), InstallLog::kLimitBytes);
  EXPECT_GT(bytes.size(), InstallLog::kLimitBytes - 1100);
  const std::string closing = LogBudget::closingLine(InstallLog::kLimitBytes);
  EXPECT_EQ(bytes.substr(bytes.size() - closing.size()), closing);
}
