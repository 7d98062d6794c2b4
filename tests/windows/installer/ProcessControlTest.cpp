#include "installer/ProcessControl.h"

#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"

using namespace talvek;
using test::placeStub;
using test::ScratchDir;
using test::StartedProgram;

TEST(ProcessControl, NothingRunningMeansNothingStopped) {
  EXPECT_EQ(findProcessId("NoSuchTalvekProgram.exe"), 0u);
  EXPECT_FALSE(processExists("NoSuchTalvekProgram.exe"));
  EXPECT_FALSE(stopProcess(std::string("NoSuchTalvekProgram.exe")));
  EXPECT_FALSE(stopByNameOrTitle("NoSuchTalvekProgram.exe"));
  EXPECT_FALSE(stopByNameOrTitle(""));
}

TEST(ProcessControl, MatchesANameThatDiffersOnlyInLetterCase) {
  ScratchDir dir;
  StartedProgram upper(placeStub(dir.path(), "TALVEKCASE.EXE"));
  ASSERT_TRUE(upper.started());

  EXPECT_EQ(findProcessId("TalvekCase.exe"), upper.id());
  EXPECT_EQ(findProcessId("TalvekCase.exe", true), 0u);
  EXPECT_TRUE(processExists("talvekcase.exe"));
  EXPECT_FALSE(processExists("talvekcase.exe", true));

  EXPECT_TRUE(stopProcess(std::string("talvekcase.exe")));
  EXPECT_TRUE(upper.waitForExit(5000));
  EXPECT_EQ(upper.exitCode(), 0u);
}

TEST(ProcessControl, OfTwoCopiesOnlyTheFirstIsStopped) {
  ScratchDir dir;
  StartedProgram first(placeStub(dir.path() + "a\\", "TwinStub.exe"));
  StartedProgram second(placeStub(dir.path() + "b\\", "TwinStub.exe"));
  ASSERT_TRUE(first.started() && second.started());

  EXPECT_TRUE(stopProcess(std::string("TwinStub.exe")));
  ASSERT_TRUE(test::waitUntil([&] { return !first.isRunning() || !second.isRunning(); }, 20000));
  Sleep(200);
  EXPECT_NE(first.isRunning(), second.isRunning());
  EXPECT_TRUE(processExists("TwinStub.exe"));
}

TEST(ProcessControl, AWindowTitledLikeTheNameWinsOverTheProcessName) {
  ScratchDir dir;
  StartedProgram byName(placeStub(dir.path(), "TitleTarget.exe"));
  StartedProgram byTitle(placeStub(dir.path(), "Unrelated.exe"), "--title TitleTarget.exe");
  ASSERT_TRUE(byName.started() && byTitle.started());
  ASSERT_TRUE(test::waitUntil([] { return FindWindowA(nullptr, "TitleTarget.exe") != nullptr; }, 20000));

  EXPECT_TRUE(stopByNameOrTitle("TitleTarget.exe"));
  EXPECT_TRUE(byTitle.waitForExit(5000));
  EXPECT_TRUE(byName.isRunning());

  // With the window gone, the process name is found, whatever its case.
  EXPECT_TRUE(stopByNameOrTitle("titletarget.EXE"));
  EXPECT_TRUE(byName.waitForExit(5000));
}
