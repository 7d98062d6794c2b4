#include "installer/GbkPath.h"

#include <gtest/gtest.h>

namespace talvek {
namespace {

// One character of code page 936 whose second byte equals '\\'.
const std::string kLetter = "\x95\x5C";

TEST(GbkPath, TrailBytesAreNeverSeparators) {
  EXPECT_EQ(separatorOffsets("a\\b/c"), (std::vector<std::size_t>{1, 3}));
  EXPECT_EQ(separatorOffsets("a" + kLetter + "\\b"), (std::vector<std::size_t>{3}));
  EXPECT_TRUE(endsWithSeparator("C:\\"));
  EXPECT_TRUE(endsWithSeparator("dir/"));
  EXPECT_FALSE(endsWithSeparator("dir" + kLetter));
  EXPECT_FALSE(endsWithSeparator(""));
  // '/' is never a trail byte, so a stray lead byte before it stands alone.
  EXPECT_TRUE(endsWithSeparator("dir\x95/"));
}

TEST(GbkPath, TrailingSeparatorIsAddedOnlyWhenMissing) {
  EXPECT_EQ(withTrailingSeparator("C:\\Talvek"), "C:\\Talvek\\");
  EXPECT_EQ(withTrailingSeparator("C:\\Talvek\\"), "C:\\Talvek\\");
  EXPECT_EQ(withTrailingSeparator("C:/Talvek/"), "C:/Talvek/");
  EXPECT_EQ(withTrailingSeparator("C:\\" + kLetter), "C:\\" + kLetter + "\\");
  EXPECT_EQ(withTrailingSeparator(""), "");
}

TEST(GbkPath, ParentAndFileName) {
  EXPECT_EQ(parentDirectory("C:\\a\\b.txt"), "C:\\a");
  EXPECT_EQ(parentDirectory("C:\\a\\b\\"), "C:\\a");
  EXPECT_EQ(parentDirectory("C:\\a" + kLetter + "\\x" + kLetter), "C:\\a" + kLetter);
  EXPECT_EQ(parentDirectory("file.txt"), "");
  EXPECT_EQ(fileNamePart("C:\\dir\\Talvek.exe"), "Talvek.exe");
  EXPECT_EQ(fileNamePart("C:\\dir\\x" + kLetter + ".exe"), "x" + kLetter + ".exe");
  EXPECT_EQ(fileNamePart("Talvek.exe"), "Talvek.exe");
}

}  // namespace
}  // namespace talvek
