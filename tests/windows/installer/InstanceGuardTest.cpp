#include "installer/InstanceGuard.h"

#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"

using talvek::openOrCreateInstanceEvent;

TEST(InstanceGuard, FirstCallerCreatesTheEventAndLaterOnesFindIt) {
  std::string name = "talvek-guard-test-" + std::to_string(GetCurrentProcessId());
  EXPECT_FALSE(openOrCreateInstanceEvent(name));
  EXPECT_TRUE(openOrCreateInstanceEvent(name));
  EXPECT_TRUE(openOrCreateInstanceEvent(name));
}

TEST(InstanceGuard, AnEmptyNameBecomesAiqc) {
  std::string name;
  openOrCreateInstanceEvent(name);
  EXPECT_EQ(name, "aiqc");
  EXPECT_TRUE(openOrCreateInstanceEvent(name));
}

TEST(InstanceGuard, AnEventMadeByAnotherProgramBlocksTheInstaller) {
  std::string name = "talvek-foreign-" + std::to_string(GetCurrentProcessId());
  HANDLE foreign = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
  ASSERT_NE(foreign, nullptr);
  EXPECT_TRUE(openOrCreateInstanceEvent(name));
  CloseHandle(foreign);
}
