// The install log's lines and its size bound.
#include <gtest/gtest.h>

#include <string>

#include "installer/LogBudget.h"
#include "installer/LogLine.h"

using namespace talvek;

namespace {

// u8 literals stay UTF-8 whatever the execution character set.
std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace

TEST(LogLine, LaysOutTimeStepResultDurationAndDetailInColumns) {
  LogLine line;
  line.atMs = 1234;
  line.step = "write archive";
  line.result = "ok";
  line.tookMs = 85;
  line.detail = utf8(u8"C:\\Program Files\\Talvek\\install.zip, 6713629 bytes");
  EXPECT_EQ(formatLogLine(line),
            "    1234 ms | write archive          | ok      |    85 ms | "
            "C:\\Program Files\\Talvek\\install.zip, 6713629 bytes\r\n");
  // The header's separators fall where the lines' do.
  const std::string header = logHeaderLine();
  const std::string formatted = formatLogLine(line);
  for (std::size_t at = header.find('|'); at != std::string::npos; at = header.find('|', at + 1)) {
    EXPECT_EQ(formatted[at], '|') << "column at " << at;
  }
}

TEST(LogLine, NamesTheSystemErrorWithItsMessageOnOneLine) {
  LogLine line;
  line.atMs = 7;
  line.step = "extract";
  line.result = "FAILED";
  line.detail = utf8(u8"entry 12 of 103 \"使用说明.txt\"");
  line.errorCode = 5;
  line.errorText = utf8(u8"拒绝访问。\r\n");
  EXPECT_EQ(formatLogLine(line), "       7 ms | extract                | FAILED  |          | " +
                                     utf8(u8"entry 12 of 103 \"使用说明.txt\"; error 5 (0x00000005): 拒绝访问。") + "\r\n");

  // An error without text keeps its code.
  LogLine bare;
  bare.step = "relay";
  bare.result = "FAILED";
  bare.errorCode = 0x80070002u;
  EXPECT_EQ(formatLogLine(bare), "       0 ms | relay                  | FAILED  |          | error 2147942402 (0x80070002)\r\n");
  // No detail, no duration: the line ends with the last column that says something.
  bare.errorCode.reset();
  EXPECT_EQ(formatLogLine(bare), "       0 ms | relay                  | FAILED\r\n");
}

TEST(LogLine, KeepsEveryLineOneValidUtf8Line) {
  LogLine line;
  line.step = "status\nforged line";
  line.result = "ok";
  line.detail = std::string("bad \xC3\x28 overlong \xC0\xAF surrogate \xED\xA0\x80 cut \xE4\xBD");
  const std::string out = formatLogLine(line);
  EXPECT_EQ(out.find('\n'), out.size() - 1) << out;
  EXPECT_EQ(validUtf8(out), out);
  EXPECT_NE(out.find(utf8(u8"bad \uFFFD( overlong \uFFFD\uFFFD surrogate \uFFFD\uFFFD\uFFFD cut \uFFFD\uFFFD")),
            std::string::npos)
      << out;
  // Four-byte characters and the last valid code point pass unchanged.
  EXPECT_EQ(validUtf8(utf8(u8"\U0001F600 \U0010FFFF")), utf8(u8"\U0001F600 \U0010FFFF"));
  EXPECT_EQ(validUtf8("\xF4\x90\x80\x80"), utf8(u8"\uFFFD\uFFFD\uFFFD\uFFFD"));
}

TEST(LogLine, CutsLongDetailsBetweenCharacters) {
  EXPECT_EQ(cutToCharacters("short", 10), "short");
  const std::string chinese = utf8(u8"中文中文");  // 12 bytes
  EXPECT_EQ(cutToCharacters(chinese, 11), utf8(u8"中文...")) << "never half a character";
  EXPECT_EQ(cutToCharacters(chinese, 2), "..");
  LogLine line;
  line.detail = std::string(kLogDetailLimit * 3, 'x');
  EXPECT_LT(formatLogLine(line).size(), kLogDetailLimit + 80);
}

TEST(LogBudget, DropsWhatNoLongerFitsAndSaysSoOnceAsTheLastLine) {
  const std::string closing = LogBudget::closingLine(1024);
  LogBudget budget(1024);
  const std::string line(100, 'a');
  std::string file;
  for (int i = 0; i < 50; ++i) file += budget.admit(line);
  EXPECT_LE(file.size(), 1024u);
  EXPECT_TRUE(budget.full());
  ASSERT_GE(file.size(), closing.size());
  EXPECT_EQ(file.substr(file.size() - closing.size()), closing);
  EXPECT_EQ(file.find(closing), file.size() - closing.size()) << "said once";
  EXPECT_EQ((file.size() - closing.size()) % line.size(), 0u) << "whole lines only";
  EXPECT_EQ(budget.admit("x"), "") << "nothing after the closing line, not even a small line";
}

TEST(LogBudget, ALineThatExactlyFitsBesideTheClosingLineIsKept) {
  const std::size_t limit = 256 * 1024;
  const std::size_t room = limit - LogBudget::closingLine(limit).size();
  LogBudget budget(limit);
  EXPECT_EQ(budget.admit(std::string(room, 'b')).size(), room);
  EXPECT_FALSE(budget.full());
  EXPECT_EQ(budget.admit("c"), LogBudget::closingLine(limit));
  EXPECT_EQ(budget.used(), limit);
  EXPECT_NE(LogBudget::closingLine(limit).find("256 KiB"), std::string::npos);

  LogBudget tiny(4);
  EXPECT_EQ(tiny.admit("x"), "") << "too small even for the closing line: nothing";
}
