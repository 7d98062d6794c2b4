#include "installer/ProcessControl.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "tests/windows/TestSupport.h"

using namespace talvek;
using test::placeStub;
using test::ScratchDir;
using test::StartedProgram;

TEST(ProcessControl, NothingRunningMeansNothingStopped) {
  ScratchDir dir;
  const ProcessControl ours(dir.path());
  EXPECT_EQ(ours.findProcessId("NoSuchTalvekProgram.exe"), 0u);
  EXPECT_FALSE(ours.processExists("NoSuchTalvekProgram.exe"));
  EXPECT_FALSE(ours.stopProcess(std::string("NoSuchTalvekProgram.exe")));
  EXPECT_FALSE(ours.stopByNameOrTitle("NoSuchTalvekProgram.exe"));
  EXPECT_FALSE(ours.stopByNameOrTitle(""));
}

TEST(ProcessControl, MatchesANameThatDiffersOnlyInLetterCase) {
  ScratchDir dir;
  StartedProgram upper(placeStub(dir.path(), "TALVEKCASE.EXE"));
  ASSERT_TRUE(upper.started());
  const ProcessControl ours(dir.path());

  EXPECT_EQ(ours.findProcessId("TalvekCase.exe"), upper.id());
  EXPECT_EQ(ours.findProcessId("TalvekCase.exe", true), 0u);
  EXPECT_TRUE(ours.processExists("talvekcase.exe"));
  EXPECT_FALSE(ours.processExists("talvekcase.exe", true));

  EXPECT_TRUE(ours.stopProcess(std::string("talvekcase.exe")));
  EXPECT_TRUE(upper.waitForExit(5000));
  EXPECT_EQ(upper.exitCode(), 0u);
}

TEST(ProcessControl, OfTwoCopiesInTheFolderOnlyTheFirstIsStopped) {
  ScratchDir dir;
  StartedProgram first(placeStub(dir.path() + "a\\", "TwinStub.exe"));
  StartedProgram second(placeStub(dir.path() + "b\\", "TwinStub.exe"));
  ASSERT_TRUE(first.started() && second.started());
  const ProcessControl ours(dir.path());

  EXPECT_TRUE(ours.stopProcess(std::string("TwinStub.exe")));
  ASSERT_TRUE(test::waitUntil([&] { return !first.isRunning() || !second.isRunning(); }, 20000));
  Sleep(200);
  EXPECT_NE(first.isRunning(), second.isRunning());
  EXPECT_TRUE(ours.processExists("TwinStub.exe"));
}

TEST(ProcessControl, AProgramOutsideTheFolderIsLeftRunningWhateverItsName) {
  ScratchDir installation;
  ScratchDir elsewhere;
  // Started first, so a plain name search would meet it first.
  StartedProgram stranger(placeStub(elsewhere.path(), "SharedName.exe"));
  StartedProgram neighbour(
      placeStub(installation.path().substr(0, installation.path().size() - 1) + "2\\", "SharedName.exe"));
  StartedProgram own(placeStub(installation.path() + "Auxiliary\\", "SharedName.exe"));
  ASSERT_TRUE(stranger.started() && neighbour.started() && own.started());
  const ProcessControl ours(installation.path());

  EXPECT_EQ(ours.findProcessId("SharedName.exe"), own.id());
  EXPECT_TRUE(ours.stopProcess(std::string("SharedName.exe")));
  EXPECT_TRUE(own.waitForExit(5000));
  EXPECT_FALSE(ours.processExists("SharedName.exe"));
  EXPECT_FALSE(ours.stopProcess(std::string("SharedName.exe")));
  EXPECT_FALSE(ours.stopByNameOrTitle("SharedName.exe"));
  Sleep(200);
  EXPECT_TRUE(stranger.isRunning());
  EXPECT_TRUE(neighbour.isRunning());
}

TEST(ProcessControl, OnlyOurOwnWindowTitledLikeTheNameCounts) {
  ScratchDir installation;
  ScratchDir elsewhere;
  StartedProgram byName(placeStub(installation.path(), "TitleTarget.exe"));
  StartedProgram foreignTitle(placeStub(elsewhere.path(), "Unrelated.exe"), "--title TitleTarget.exe");
  ASSERT_TRUE(byName.started() && foreignTitle.started());
  ASSERT_TRUE(test::waitUntil([] { return FindWindowA(nullptr, "TitleTarget.exe") != nullptr; }, 20000));
  const ProcessControl ours(installation.path());

  // Another program's window of that title is passed over; our process of
  // that name is found instead.
  EXPECT_TRUE(ours.stopByNameOrTitle("titletarget.EXE"));
  EXPECT_TRUE(byName.waitForExit(5000));
  Sleep(200);
  EXPECT_TRUE(foreignTitle.isRunning());

  // Our own window of that title wins over the process name.
  StartedProgram ownTitle(placeStub(installation.path(), "Unrelated.exe"), "--title OwnTitle.exe");
  StartedProgram ownName(placeStub(installation.path(), "OwnTitle.exe"));
  ASSERT_TRUE(ownTitle.started() && ownName.started());
  ASSERT_TRUE(test::waitUntil([] { return FindWindowA(nullptr, "OwnTitle.exe") != nullptr; }, 20000));
  EXPECT_TRUE(ours.stopByNameOrTitle("OwnTitle.exe"));
  EXPECT_TRUE(ownTitle.waitForExit(5000));
  EXPECT_TRUE(ownName.isRunning());
}

namespace {

// A system in which our program, id 7, ends after it was first opened and
// its id passes to a stranger of the same name elsewhere, as a real system
// may do once no handle holds the id.
class IdPassedOn final : public ProcessAccess {
 public:
  std::vector<RunningProcess> running() const override { return {{7, "Talvek.exe"}}; }
  Handle open(DWORD processId) const override {
    if (processId != 7) return {};
    Handle token(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    openedAs[token.get()] = holder;
    holder = L"C:\\Elsewhere\\Talvek.exe";
    return token;
  }
  std::wstring imageOf(HANDLE process, DWORD) const override { return openedAs[process]; }
  bool terminate(HANDLE process) const override {
    ended.push_back(openedAs[process]);
    return true;
  }

  mutable std::wstring holder = L"C:\\Program Files\\Talvek\\Talvek.exe";
  mutable std::map<HANDLE, std::wstring> openedAs;
  mutable std::vector<std::wstring> ended;
};

}  // namespace

TEST(ProcessControl, WhatIsCheckedIsWhatIsEndedWhenAnIdPassesToAnotherProcess) {
  for (bool byTitle : {false, true}) {
    IdPassedOn system;
    const ProcessControl ours("C:\\Program Files\\Talvek\\", system);
    EXPECT_TRUE(byTitle ? ours.stopByNameOrTitle("Talvek.exe") : ours.stopProcess(std::string("Talvek.exe")));
    EXPECT_EQ(system.ended, std::vector<std::wstring>{L"C:\\Program Files\\Talvek\\Talvek.exe"}) << byTitle;
  }
}
