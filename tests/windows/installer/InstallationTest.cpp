#include "installer/Installation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>

#include "installer/DirectoryPreparation.h"
#include "installer/InstallerState.h"
#include "installer/ProcessControl.h"
#include "tests/windows/TestSupport.h"
#include "tests/windows/installer/RecordingSteps.h"
#include "tests/windows/installer/ZipFixture.h"

using namespace talvek;
using test::fileExists;
using test::RecordingSteps;
using test::ScratchDir;

namespace {

// Records what the installation shows, from whichever thread it comes.
class RecordingView : public InstallationView {
 public:
  void setStatus(const std::string& text) override { record("status:" + text); }
  void setProgress(int percent) override {
    std::lock_guard lock(mutex_);
    progress_.push_back(percent);
  }
  void restoreWindow() override { record("restore"); }

  std::vector<std::string> events() {
    std::lock_guard lock(mutex_);
    return events_;
  }
  std::vector<int> progress() {
    std::lock_guard lock(mutex_);
    return progress_;
  }
  bool restored() {
    auto all = events();
    return std::find(all.begin(), all.end(), "restore") != all.end();
  }

 private:
  void record(const std::string& event) {
    std::lock_guard lock(mutex_);
    events_.push_back(event);
  }
  std::mutex mutex_;
  std::vector<std::string> events_;
  std::vector<int> progress_;
};

class FailingSteps : public RecordingSteps {
 public:
  void registerComponent(const std::string&) override { throw std::runtime_error("no registry"); }
};

class InstallationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service.create()); }
  void TearDown() override { installerState().installDir.clear(); }

  std::vector<std::uint8_t> payloadFrom(const std::string& path) {
    std::string bytes = test::readFileBytes(path);
    return {bytes.begin(), bytes.end()};
  }

  ScratchDir scratch;
  ServiceWindow service;
  RecordingView view;
  RecordingSteps steps;
};

}  // namespace

TEST_F(InstallationTest, RunsFromTheWorkerToTheEndInOrder) {
  const std::string dir = scratch.path() + "Talvek\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  installerState().installDir = dir;
  auto payload = payloadFrom(test::testDataDir() + "payload.zip");
  Installation installation(view, steps, service, payload);

  ASSERT_TRUE(installation.startInstallation());
  ASSERT_TRUE(test::waitUntil([&] { return steps.terminated; }, 60000));

  EXPECT_EQ(view.events(), (std::vector<std::string>{
                               std::string("status:") + status::kWritingArchive,
                               std::string("status:") + status::kArchiveWritten,
                               std::string("status:") + status::kStarting,
                               std::string("status:") + status::kStartingProduct,
                               std::string("status:") + status::kRegistering,
                               std::string("status:") + status::kCompleting,
                           }));
  EXPECT_EQ(steps.calls,
            (std::vector<std::string>{"register:" + dir, "shortcuts:" + dir, "start:" + dir, "uninstall:" + dir,
                                      "readme:" + dir + "\\使用说明.txt", "terminate"}));
  // Extraction reports from 0, then the sweep from 1 to 100.
  auto progress = view.progress();
  ASSERT_GE(progress.size(), 101u);
  EXPECT_EQ(progress.front(), 0);
  std::vector<int> sweep(progress.end() - 100, progress.end());
  for (int i = 0; i < 100; ++i) EXPECT_EQ(sweep[i], i + 1);

  EXPECT_TRUE(fileExists(dir + "Talvek.exe"));
  EXPECT_TRUE(fileExists(dir + "Auxiliary\\Beacon.exe"));
  EXPECT_FALSE(fileExists(dir + "install.zip"));
  // Extraction and finishing ran on the window's thread, not the worker's.
  EXPECT_EQ(steps.finishingThread, GetCurrentThreadId());
}

TEST_F(InstallationTest, AnArchiveThatCannotBeWrittenRestoresTheWindowAtTwo) {
  installerState().installDir = scratch.path() + "missing\\parent\\";
  auto payload = payloadFrom(test::testDataDir() + "payload.zip");
  Installation installation(view, steps, service, payload);

  ASSERT_TRUE(installation.startInstallation());
  ASSERT_TRUE(test::waitUntil([&] { return view.restored(); }, 30000));

  EXPECT_EQ(view.events(), (std::vector<std::string>{std::string("status:") + status::kWritingArchive,
                                                     std::string("status:") + status::kWriteFailed, "restore"}));
  EXPECT_EQ(view.progress(), std::vector<int>{2});
  EXPECT_TRUE(steps.calls.empty());

  // A directory standing where the archive goes fails the same way.
  const std::string dir = scratch.path() + "Talvek\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "install.zip").c_str(), nullptr);
  installerState().installDir = dir;
  RecordingView blocked;
  Installation blockedInstallation(blocked, steps, service, payload);
  blockedInstallation.runWorker();
  EXPECT_EQ(blocked.events(), (std::vector<std::string>{std::string("status:") + status::kWritingArchive,
                                                        std::string("status:") + status::kWriteFailed, "restore"}));
  EXPECT_EQ(blocked.progress(), std::vector<int>{2});
}

TEST_F(InstallationTest, ARelayThatCannotRunOrBreaksOffGivesTheWindowBack) {
  const std::string dir = scratch.path() + "Talvek\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  installerState().installDir = dir;
  auto payload = payloadFrom(test::testDataDir() + "payload.zip");
  const std::vector<std::string> failedEnding{"restore", std::string("status:") + status::kExtractFailed};
  auto ending = [](RecordingView& shown) {
    auto events = shown.events();
    return events.size() < 2 ? events : std::vector<std::string>(events.end() - 2, events.end());
  };

  ServiceWindow neverCreated;
  Installation withoutWindow(view, steps, neverCreated, payload);
  withoutWindow.runWorker();
  EXPECT_EQ(ending(view), failedEnding);
  EXPECT_EQ(view.progress().back(), 99);
  EXPECT_TRUE(steps.calls.empty());

  RecordingView broken;
  FailingSteps failing;
  Installation breaksOff(broken, failing, service, payload);
  breaksOff.runWorker();
  EXPECT_EQ(ending(broken), failedEnding);
  EXPECT_EQ(broken.progress().back(), 99);
  EXPECT_FALSE(failing.terminated);
  EXPECT_TRUE(fileExists(dir + "Talvek.exe"));
}

// A first installation: the click made the folder, and a failure leaves
// not even that behind.
TEST_F(InstallationTest, ADamagedArchiveStopsWithNinetyNineAndLeavesNothingBehind) {
  const std::string dir = scratch.path() + "Talvek\\";
  installerState().installDir = dir;
  std::string zip = scratch.path() + "damaged.zip";
  std::string big(200000, 'x');
  ASSERT_TRUE(test::makeZip(zip, {{"Talvek.exe", big}, {"other.dll", big}}));
  ASSERT_TRUE(test::damageEntry(zip, "other.dll"));
  auto payload = payloadFrom(zip);
  Installation installation(view, steps, service, payload);
  ASSERT_EQ(prepareInstallDirectory(dir, payload, installation.keepAside(), installation.folder()), std::nullopt);

  installation.runWorker();  // on this thread: the relay runs extraction in place

  auto events = view.events();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), std::string("status:") + status::kExtractFailed);
  EXPECT_EQ(events[events.size() - 2], "restore");
  EXPECT_EQ(view.progress().back(), 99);
  EXPECT_TRUE(steps.calls.empty());
  EXPECT_FALSE(fileExists(dir + "install.zip"));
  EXPECT_FALSE(fileExists(dir + "Talvek.exe"));
  EXPECT_FALSE(test::directoryExists(dir));
}

TEST_F(InstallationTest, TheWorkerEndsTheRunningProductFirst) {
  const std::string dir = scratch.path() + "Talvek\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  installerState().installDir = dir;
  // The earlier installation's programs; a program elsewhere of the same
  // name, started first, is someone else's.
  test::StartedProgram stranger(test::placeStub(scratch.path() + "elsewhere\\", "Beacon.exe"));
  test::StartedProgram main(test::placeStub(dir, "Talvek.exe"));
  test::StartedProgram relay1(test::placeStub(dir + "r1\\", "netrelay.exe"));
  test::StartedProgram relay2(test::placeStub(dir + "r2\\", "netrelay.exe"));
  test::StartedProgram beacon(test::placeStub(dir + "Auxiliary\\", "Beacon.exe"));
  ASSERT_TRUE(stranger.started() && main.started() && relay1.started() && relay2.started() && beacon.started());

  auto payload = payloadFrom(test::testDataDir() + "payload.zip");
  Installation installation(view, steps, service, payload);
  installation.runWorker();

  EXPECT_TRUE(main.waitForExit(5000));
  EXPECT_TRUE(relay1.waitForExit(5000));
  EXPECT_TRUE(relay2.waitForExit(5000));
  EXPECT_TRUE(beacon.waitForExit(5000));
  EXPECT_TRUE(steps.terminated);
  EXPECT_TRUE(stranger.isRunning());
}
