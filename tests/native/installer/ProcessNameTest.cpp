#include "installer/ProcessName.h"

#include <gtest/gtest.h>

using talvek::sameProcessName;

TEST(ProcessName, IgnoresAsciiCaseUnlessAskedNotTo) {
  EXPECT_TRUE(sameProcessName("TALVEK.EXE", "Talvek.exe", false));
  EXPECT_TRUE(sameProcessName("talvek.exe", "Talvek.exe", false));
  EXPECT_FALSE(sameProcessName("TALVEK.EXE", "Talvek.exe", true));
  EXPECT_TRUE(sameProcessName("Talvek.exe", "Talvek.exe", true));
  EXPECT_FALSE(sameProcessName("Talvek.ex", "Talvek.exe", false));
  EXPECT_FALSE(sameProcessName("", "Talvek.exe", false));
}

TEST(ProcessName, NeverFoldsTheTrailByteOfATwoByteCharacter) {
  // 0x81 0x41 and 0x81 0x61 are two different GBK characters whose trail
  // bytes look like 'A' and 'a'.
  EXPECT_FALSE(sameProcessName("\x81\x41.exe", "\x81\x61.exe", false));
  EXPECT_TRUE(sameProcessName("\x81\x41X.exe", "\x81\x41x.EXE", false));
  // A lone lead byte at the end is compared as a plain byte.
  EXPECT_TRUE(sameProcessName("a\x81", "A\x81", false));
}
