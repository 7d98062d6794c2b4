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

// The deletions queued for the next restart, as the system keeps them.
std::string deletionsAtRestart() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0, KEY_QUERY_VALUE,
                    &key) != ERROR_SUCCESS) {
    return {};
  }
  std::string bytes(64 * 1024, '\0');
  DWORD size = static_cast<DWORD>(bytes.size());
  const bool read = RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                                     reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS;
  RegCloseKey(key);
  bytes.resize(read ? size : 0);
  return bytes;
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
    ASSERT_EQ(holdRoot(dir, root, held), LinkSafe::Done);
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

  Found look(const std::string& relative) const { return KeepAside::look(root, relative); }
  void recover() const { KeepAside().recoverIn(root, held.get()); }

  ScratchDir scratch;
  ServiceWindow service;
  NullView view;
  test::RecordingSteps finishing;
  std::string dir;
  // The installation folder as the install click holds it.
  FolderRoot root;
  Handle held;
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
  HANDLE held =
      CreateFileA((dir + "Auxiliary\\Beacon.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
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
  const auto plan = FolderListing(root).plan(*listArchive(payload));
  KeepAside keepAside;
  ASSERT_TRUE(keepAside.begin(root, held.get()));
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
    ASSERT_TRUE(cut.begin(root, held.get()));
    ASSERT_TRUE(cut.keep("Talvek.exe"));
    cut.noteArchive("install.zip");
    test::writeFileBytes(dir + "install.zip", "half an archive");
    const auto plan = planKeepAside(*listArchive(payload), [&](const std::string& relative) { return look(relative); });
    ASSERT_TRUE(cut.carryOut(plan));
    CreateDirectoryA((dir + "Auxiliary\\New").c_str(), nullptr);
    test::writeFileBytes(dir + "Auxiliary\\New\\fresh.dll", "half");
    test::writeFileBytes(dir + "Auxiliary\\Beacon.exe", "new beacon");
  }
  EXPECT_NE(snapshot(dir), before);

  recover();
  EXPECT_EQ(snapshot(dir), before);
}

TEST_F(KeepAsideTest, ACommittedRunIsNeverPutBack) {
  KeepAside done;
  ASSERT_TRUE(done.begin(root, held.get()));
  ASSERT_TRUE(done.keep("Talvek.exe"));
  test::writeFileBytes(dir + "Talvek.exe", "new program");
  done.commit();
  EXPECT_TRUE(done.finish(true, 30000));
  recover();
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
  FolderListing listing(root);
  const auto listed = planKeepAside(*entries, [&](const std::string& relative) { return listing.look(relative); });
  const auto asked = planKeepAside(*entries, [&](const std::string& relative) { return look(relative); });
  EXPECT_EQ(listed.lines, asked.lines);
  EXPECT_EQ(listed.replacedFileSizes, asked.replacedFileSizes);

  const auto plan = listing.plan(*entries);
  EXPECT_EQ(std::count(plan.lines.begin(), plan.lines.end(), JournalLine{JournalVerb::Keep, "Auxiliary\\New"}), 1);
  EXPECT_EQ(std::count(plan.lines.begin(), plan.lines.end(), JournalLine{JournalVerb::Keep, "zz-last.dll"}), 1);
  KeepAside keepAside;
  ASSERT_TRUE(keepAside.begin(root, held.get()));
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

// What cannot be removed now (a kept copy a program still holds) is never
// left to a deletion at restart, which the system would carry out by name
// with full rights in a folder others can write to, wherever a link there
// leads by then: the journal stays, and the next run removes the rest
// without putting anything back.
TEST_F(KeepAsideTest, AKeptCopyInUseIsLeftToTheNextRunNeverToARestart) {
  KeepAside done;
  ASSERT_TRUE(done.begin(root, held.get()));
  ASSERT_TRUE(done.keep("Auxiliary\\Beacon.exe"));
  test::writeFileBytes(dir + "Auxiliary\\Beacon.exe", "new beacon");
  const std::string kept = dir + KeepAside::kFolderPrefix + "1\\files\\Auxiliary\\Beacon.exe";
  HANDLE inUse = CreateFileA(kept.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
  done.commit();
  EXPECT_FALSE(done.finish(true, 30000));
  CloseHandle(inUse);
  EXPECT_TRUE(fileExists(kept));
  EXPECT_TRUE(fileExists(dir + KeepAside::kFolderPrefix + "1\\journal"));
  EXPECT_EQ(deletionsAtRestart().find(KeepAside::kFolderPrefix), std::string::npos);

  recover();
  EXPECT_EQ(test::readFileBytes(dir + "Auxiliary\\Beacon.exe"), "new beacon");
  EXPECT_FALSE(test::directoryExists(dir + KeepAside::kFolderPrefix + "1"));
}

// Killed after the commit and before the archive's deletion, a run leaves
// the whole archive beside the product; its journal names it.
TEST_F(KeepAsideTest, AnArchiveLeftByARunEndedAfterItsCommitIsRemovedByTheNextRun) {
  {
    KeepAside done;
    ASSERT_TRUE(done.begin(root, held.get()));
    done.noteArchive("install.zip");
    test::writeFileBytes(dir + "install.zip", "the whole archive");
    done.commit();
  }
  ASSERT_TRUE(fileExists(dir + "install.zip"));
  recover();
  EXPECT_FALSE(fileExists(dir + "install.zip"));
  for (const auto& [path, bytes] : snapshot(dir)) EXPECT_EQ(path.find(KeepAside::kFolderPrefix), std::string::npos);
}

// Others may write to the installation folder (one made at a drive root,
// or under the public profile): a keep-aside folder planted there, whose
// journal asks for a file from elsewhere to be put back through a link,
// is left alone; so is a folder of ours whose kept side was swapped for a
// link after the run was cut short.
TEST_F(KeepAsideTest, RecoveryActsOnlyOnFoldersThisInstallerMadeAndNeverThroughALink) {
  const std::string outside = scratch.path() + "outside";
  ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((outside + "\\Auxiliary").c_str(), nullptr));
  ASSERT_TRUE(test::writeFileBytes(outside + "\\victim.txt", "someone else's"));
  ASSERT_TRUE(test::writeFileBytes(outside + "\\Auxiliary\\Beacon.exe", "someone else's beacon"));
  const std::string planted = dir + KeepAside::kFolderPrefix + "7\\";
  ASSERT_TRUE(CreateDirectoryA(planted.c_str(), nullptr));
  ASSERT_TRUE(test::writeFileBytes(
      planted + "journal",
      std::string(RollbackJournal::kHeader) + RollbackJournal::formatLine({JournalVerb::Keep, "victim.txt"})));
  test::PlantedLink plantedFiles(planted + "files", outside, true);
  ASSERT_TRUE(plantedFiles.planted());
  {
    KeepAside cut;
    ASSERT_TRUE(cut.begin(root, held.get()));
    ASSERT_TRUE(cut.keep("Auxiliary\\Beacon.exe"));
  }
  const std::string ours = dir + KeepAside::kFolderPrefix + "1\\files\\";
  ASSERT_TRUE(MoveFileA((ours + "Auxiliary").c_str(), (scratch.path() + "moved-away").c_str()));
  test::PlantedLink swapped(ours + "Auxiliary", outside + "\\Auxiliary", true);
  ASSERT_TRUE(swapped.planted());

  recover();
  EXPECT_FALSE(fileExists(dir + "victim.txt"));
  EXPECT_EQ(test::readFileBytes(outside + "\\victim.txt"), "someone else's");
  EXPECT_FALSE(fileExists(dir + "Auxiliary\\Beacon.exe"));
  EXPECT_EQ(test::readFileBytes(outside + "\\Auxiliary\\Beacon.exe"), "someone else's beacon");
  EXPECT_TRUE(fileExists(planted + "journal")) << "a folder not made by this installer is left as it is";
}

}  // namespace
