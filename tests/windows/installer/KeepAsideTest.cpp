// An installation over an earlier version that fails, or is cut short,
// leaves the earlier version exactly as it was.
#include "installer/KeepAside.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "installer/ArchiveListing.h"
#include "installer/FolderListing.h"
#include "installer/Installation.h"
#include "installer/InstallerState.h"
#include "installer/ZipExtractor.h"
#include "tests/windows/TestSupport.h"
#include "tests/windows/installer/RecordingSteps.h"
#include "tests/windows/installer/ZipFixture.h"

using namespace talvek;
using test::fileExists;
using test::ScratchDir;

namespace {

// Every file and folder below `dir` with its bytes ("<dir>" for folders).
std::map<std::string, std::string> snapshot(const std::string& dir, const std::string& prefix = "") {
  std::map<std::string, std::string> found;
  WIN32_FIND_DATAA data{};
  HANDLE find = FindFirstFileA((dir + prefix + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      found[prefix + name] = "<dir>";
      found.merge(snapshot(dir, prefix + name + "\\"));
    } else {
      found[prefix + name] = test::readFileBytes(dir + prefix + name);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return found;
}

class NullView : public InstallationView {
 public:
  void setStatus(const std::string& text) override { last = text; }
  void setProgress(int percent) override {
    if (progress < 0 && onFirstProgress) onFirstProgress();
    progress = percent;
  }
  void restoreWindow() override { restored = true; }
  std::string last;
  int progress = -1;
  bool restored = false;
  std::function<void()> onFirstProgress;
};

class KeepAsideTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.create());
    dir = scratch.path() + "Talvek\\";
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    installerState().installDir = dir;
    // The earlier version: the same names with other bytes, a file of the
    // user's own, and a folder the new version does not have.
    test::writeFileBytes(dir + "Talvek.exe", "old program");
    CreateDirectoryA((dir + "Auxiliary").c_str(), nullptr);
    test::writeFileBytes(dir + "Auxiliary\\Beacon.exe", "old beacon");
    test::writeFileBytes(dir + "Auxiliary\\settings.ini", "the user's own");
    CreateDirectoryA((dir + "Old").c_str(), nullptr);
    test::writeFileBytes(dir + "Old\\gone.dll", "old only");
  }
  void TearDown() override { installerState().installDir.clear(); }

  std::vector<std::uint8_t> archive(bool damaged) {
    const std::string zip = scratch.path() + "product.zip";
    std::string big(200000, 'n');
    EXPECT_TRUE(test::makeZip(zip, {{"Auxiliary/", "", true},
                                    {"Auxiliary/Beacon.exe", "new beacon"},
                                    {"Auxiliary/New/", "", true},
                                    {"Auxiliary/New/fresh.dll", big},
                                    {"Talvek.exe", big},
                                    {"zz-last.dll", big}}));
    if (damaged) {
      EXPECT_TRUE(test::damageEntry(zip, "zz-last.dll"));
    }
    const std::string bytes = test::readFileBytes(zip);
    DeleteFileA(zip.c_str());
    return {bytes.begin(), bytes.end()};
  }

  ScratchDir scratch;
  ServiceWindow service;
  NullView view;
  test::RecordingSteps finishing;
  std::string dir;
};

TEST_F(KeepAsideTest, AFailedExtractionLeavesTheEarlierVersionAsItWas) {
  const auto before = snapshot(dir);
  auto payload = archive(true);
  Installation installation(view, finishing, service, payload);
  installation.runWorker();

  EXPECT_TRUE(view.restored);
  EXPECT_EQ(view.progress, 99);
  EXPECT_FALSE(finishing.terminated);
  // Byte for byte, nothing new, no archive, no keep-aside folder.
  EXPECT_EQ(snapshot(dir), before);
}

TEST_F(KeepAsideTest, AFileHeldWithoutSharingFailsTheInstallationAndItRollsBack) {
  const auto before = snapshot(dir);
  HANDLE held = CreateFileA((dir + "Auxiliary\\Beacon.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  auto payload = archive(false);
  Installation installation(view, finishing, service, payload);
  installation.runWorker();
  CloseHandle(held);

  EXPECT_TRUE(view.restored);
  EXPECT_EQ(view.progress, 99);
  EXPECT_EQ(snapshot(dir), before);
}

// Someone able to write to the folder links the path of a file that went
// aside to a file of theirs while the extraction runs: the installation
// fails and rolls back, and their file is left as it was.
TEST_F(KeepAsideTest, ALinkPlantedWhereAKeptFileWasFailsTheInstallationAndItRollsBack) {
  const auto before = snapshot(dir);
  const std::string victim = scratch.path() + "victim.dll";
  ASSERT_TRUE(test::writeFileBytes(victim, "someone else's"));
  bool planted = false;
  view.onFirstProgress = [&] { planted = CreateHardLinkA((dir + "Talvek.exe").c_str(), victim.c_str(), nullptr); };
  auto payload = archive(false);
  Installation installation(view, finishing, service, payload);
  installation.runWorker();

  EXPECT_TRUE(planted);
  EXPECT_TRUE(view.restored);
  EXPECT_FALSE(finishing.terminated);
  EXPECT_EQ(test::readFileBytes(victim), "someone else's");
  EXPECT_EQ(snapshot(dir), before);
}

// The kept paths go into folders inside the installation folder, which
// others can write to as well: a link put where one of them goes is refused,
// and nothing is moved through it.
TEST_F(KeepAsideTest, ALinkInTheKeepAsideFolderIsNeverMovedInto) {
  const auto before = snapshot(dir);
  const std::string elsewhere = scratch.path() + "elsewhere";
  ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
  ASSERT_TRUE(test::writeFileBytes(elsewhere + "\\theirs.txt", "someone else's"));
  auto payload = archive(false);
  const auto plan = FolderListing(dir).plan(*listArchive(payload));
  KeepAside keepAside;
  ASSERT_TRUE(keepAside.begin(dir));
  {
    const std::string files = dir + KeepAside::kFolderPrefix + "1\\files\\";
    test::PlantedLink link(files + "Auxiliary", elsewhere, true);
    ASSERT_TRUE(link.planted());
    EXPECT_FALSE(keepAside.carryOut(plan));
    EXPECT_FALSE(fileExists(elsewhere + "\\Beacon.exe"));
  }
  keepAside.rollBack();
  EXPECT_EQ(test::readFileBytes(elsewhere + "\\theirs.txt"), "someone else's");
  EXPECT_EQ(snapshot(dir), before);
}

TEST_F(KeepAsideTest, ASuccessRemovesWhatWasKeptAndKeepsWhatTheArchiveDoesNotName) {
  auto payload = archive(false);
  Installation installation(view, finishing, service, payload);
  installation.runWorker();

  ASSERT_TRUE(finishing.terminated);
  const auto after = snapshot(dir);
  EXPECT_EQ(after.at("Auxiliary\\Beacon.exe"), "new beacon");
  EXPECT_EQ(after.at("Auxiliary\\settings.ini"), "the user's own");
  EXPECT_EQ(after.at("Old\\gone.dll"), "old only");
  EXPECT_EQ(after.at("Talvek.exe").size(), 200000u);
  for (const auto& [path, bytes] : after) EXPECT_EQ(path.find(KeepAside::kFolderPrefix), std::string::npos) << path;
}

TEST_F(KeepAsideTest, ARunCutShortIsUndoneByTheNextOne) {
  const auto before = snapshot(dir);
  auto payload = archive(false);
  {
    // A run killed in the middle of its extraction: the plan carried out,
    // some files written, no roll-back and no commit.
    KeepAside cut;
    ASSERT_TRUE(cut.begin(dir));
    ASSERT_TRUE(cut.keep("Talvek.exe"));
    cut.noteArchive("install.zip");
    test::writeFileBytes(dir + "install.zip", "half an archive");
    const auto plan = planKeepAside(*listArchive(payload),
                                    [&](const std::string& relative) { return KeepAside::look(dir, relative); });
    ASSERT_TRUE(cut.carryOut(plan));
    CreateDirectoryA((dir + "Auxiliary\\New").c_str(), nullptr);
    test::writeFileBytes(dir + "Auxiliary\\New\\fresh.dll", "half");
    test::writeFileBytes(dir + "Auxiliary\\Beacon.exe", "new beacon");
  }
  EXPECT_NE(snapshot(dir), before);

  KeepAside::recoverIn(dir);
  EXPECT_EQ(snapshot(dir), before);
}

TEST_F(KeepAsideTest, ACommittedRunIsNeverPutBack) {
  KeepAside done;
  ASSERT_TRUE(done.begin(dir));
  ASSERT_TRUE(done.keep("Talvek.exe"));
  test::writeFileBytes(dir + "Talvek.exe", "new program");
  done.commit();
  EXPECT_TRUE(done.awaitRemoval(30000));
  KeepAside::recoverIn(dir);
  EXPECT_EQ(test::readFileBytes(dir + "Talvek.exe"), "new program");
  for (const auto& [path, bytes] : snapshot(dir)) EXPECT_EQ(path.find(KeepAside::kFolderPrefix), std::string::npos);
}

// The plan comes from one listing per folder instead of a question per
// path: path by path it is the same plan, a folder where a file goes
// included; a folder holding only what the archive names moves whole,
// through a handle like a file, and a roll-back puts everything back.
TEST_F(KeepAsideTest, APlanFromFolderListingsKeepsProductFoldersWholeAndRollsBack) {
  CreateDirectoryA((dir + "zz-last.dll").c_str(), nullptr);
  test::writeFileBytes(dir + "zz-last.dll\\inside.txt", "a folder where a file goes");
  CreateDirectoryA((dir + "Auxiliary\\New").c_str(), nullptr);
  test::writeFileBytes(dir + "Auxiliary\\New\\fresh.dll", "old fresh");
  const auto before = snapshot(dir);
  auto payload = archive(false);
  const auto entries = listArchive(payload);
  ASSERT_TRUE(entries);
  FolderListing listing(dir);
  const auto listed = planKeepAside(*entries, [&](const std::string& relative) { return listing.look(relative); });
  const auto asked =
      planKeepAside(*entries, [&](const std::string& relative) { return KeepAside::look(dir, relative); });
  EXPECT_EQ(listed.lines, asked.lines);
  EXPECT_EQ(listed.replacedFileSizes, asked.replacedFileSizes);

  const auto plan = listing.plan(*entries);
  EXPECT_EQ(std::count(plan.lines.begin(), plan.lines.end(), JournalLine{JournalVerb::Keep, "Auxiliary\\New"}), 1);
  EXPECT_EQ(std::count(plan.lines.begin(), plan.lines.end(), JournalLine{JournalVerb::Keep, "zz-last.dll"}), 1);
  KeepAside keepAside;
  ASSERT_TRUE(keepAside.begin(dir));
  int turns = 0;
  ASSERT_TRUE(keepAside.carryOut(plan, [&] { ++turns; }));
  EXPECT_EQ(turns, std::count_if(plan.lines.begin(), plan.lines.end(),
                                 [](const JournalLine& line) { return line.verb == JournalVerb::Keep; }))
      << "the window may turn the ring after every path moved";
  EXPECT_EQ(GetFileAttributesA((dir + "Auxiliary\\New").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(fileExists(dir + "zz-last.dll\\inside.txt"));
  EXPECT_FALSE(fileExists(dir + "Auxiliary\\Beacon.exe"));
  EXPECT_EQ(test::readFileBytes(dir + "Auxiliary\\settings.ini"), "the user's own");
  keepAside.rollBack();
  EXPECT_EQ(snapshot(dir), before);
}

// The kept paths are removed while the installation finishes; a run ended
// before that removal is over leaves a committed journal and old copies.
TEST_F(KeepAsideTest, ARemovalCutShortIsFinishedByTheNextRunWithoutPuttingBack) {
  const std::string folder = dir + KeepAside::kFolderPrefix + "1\\";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "files").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((folder + "files\\Auxiliary").c_str(), nullptr));
  ASSERT_TRUE(MoveFileA((dir + "Auxiliary\\Beacon.exe").c_str(), (folder + "files\\Auxiliary\\Beacon.exe").c_str()));
  test::writeFileBytes(dir + "Auxiliary\\Beacon.exe", "new beacon");
  test::writeFileBytes(folder + "journal",
                       std::string(RollbackJournal::kHeader) +
                           RollbackJournal::formatLine({JournalVerb::Keep, "Auxiliary\\Beacon.exe"}) +
                           RollbackJournal::formatLine({JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"}) +
                           std::string(RollbackJournal::kCommitted));

  KeepAside::recoverIn(dir);
  EXPECT_EQ(test::readFileBytes(dir + "Auxiliary\\Beacon.exe"), "new beacon");
  EXPECT_FALSE(fileExists(folder + "journal"));
  EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
