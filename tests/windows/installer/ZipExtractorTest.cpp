#include "installer/ZipExtractor.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "tests/windows/TestSupport.h"
#include "tests/windows/installer/ZipFixture.h"

using namespace talvek;
using test::fileExists;
using test::readFileBytes;
using test::ScratchDir;
using test::ZipEntry;

namespace {

std::string sampleText(int seed, size_t size) {
  std::string text;
  unsigned state = seed * 2654435761u + 1;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += "Talvek line " + std::to_string(state % 1000) + "\r\n";
  }
  return text;
}

struct Extraction {
  bool ok;
  std::vector<int> reports;
};

Extraction extractInto(const std::string& zip, const std::string& dest) {
  Extraction result{};
  result.ok = extractZip(zip, dest, [&](int percent) { result.reports.push_back(percent); });
  return result;
}

}  // namespace

TEST(ZipExtractor, ExtractsTheProductPayloadWithPercentageReports) {
  ScratchDir dir;
  std::string dest = dir.path() + "Talvek\\";
  Extraction result = extractInto(test::testDataDir() + "payload.zip", dest);
  ASSERT_TRUE(result.ok);

  EXPECT_EQ(readFileBytes(dest + "Talvek.exe"), readFileBytes(test::testDataDir() + "product_stub.exe"));
  for (const char* file : {"Remover.exe", "Freshen.exe", "使用说明.txt", "Skin.dll", "AplayerSkin.dll",
                           "Auxiliary\\Pagelens.exe", "Auxiliary\\netrelay.exe", "Auxiliary\\Beacon.exe"}) {
    EXPECT_TRUE(fileExists(dest + file)) << file;
  }
  for (const char* subdir : {"Cache", "images\\Guide", "play\\local", "Auxiliary\\src"}) {
    EXPECT_TRUE(test::directoryExists(dest + subdir)) << subdir;
  }
  EXPECT_TRUE(fileExists(dest + "Auxiliary\\cookies.tmp"));
  EXPECT_EQ(readFileBytes(dest + "Auxiliary\\cookies.tmp"), "");

  ASSERT_GE(result.reports.size(), 2u);
  EXPECT_EQ(result.reports.front(), 0);
  EXPECT_EQ(result.reports.back(), 100);
  EXPECT_TRUE(std::is_sorted(result.reports.begin(), result.reports.end()));
}

TEST(ZipExtractor, OverwritesReadOnlyFilesAndLeavesThemNormal) {
  ScratchDir dir;
  std::string zip = dir.path() + "a.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"readme.txt", "new contents"}}));
  std::string dest = dir.path() + "out\\";
  CreateDirectoryA(dest.c_str(), nullptr);
  ASSERT_TRUE(test::writeFileBytes(dest + "readme.txt", "old"));
  SetFileAttributesA((dest + "readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);

  ASSERT_TRUE(extractInto(zip, dest).ok);
  EXPECT_EQ(readFileBytes(dest + "readme.txt"), "new contents");
  EXPECT_FALSE(GetFileAttributesA((dest + "readme.txt").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(ZipExtractor, StopsAtTheFirstDamagedEntryAndKeepsWhatCameBefore) {
  ScratchDir dir;
  std::string zip = dir.path() + "damaged.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"first.txt", sampleText(1, 40000)},
                                  {"second.txt", sampleText(2, 40000)},
                                  {"third.txt", sampleText(3, 40000)}}));
  ASSERT_TRUE(test::damageEntry(zip, "second.txt"));
  std::string dest = dir.path() + "out\\";

  Extraction result = extractInto(zip, dest);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(readFileBytes(dest + "first.txt"), sampleText(1, 40000));
  EXPECT_FALSE(fileExists(dest + "third.txt"));
  EXPECT_TRUE(std::find(result.reports.begin(), result.reports.end(), 100) == result.reports.end());
}

TEST(ZipExtractor, AnEntryWhoseDataEndsEarlyIsDamaged) {
  // The reader checks the CRC only of an entry read to its stated size.
  ScratchDir dir;
  std::string zip = dir.path() + "short.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"first.txt", sampleText(1, 40000)}, {"second.txt", sampleText(2, 40000)}}));
  ASSERT_TRUE(test::overstateSize(zip, "first.txt", 5));
  Extraction result = extractInto(zip, dir.path() + "out\\");
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(fileExists(dir.path() + "out\\second.txt"));
}

TEST(ZipExtractor, RefusesEntriesThatWouldLeaveTheDestination) {
  for (const char* hostile :
       {"../escaped.txt", "sub/../../escaped.txt", "C:escaped.txt", "/escaped.txt", "\\escaped.txt"}) {
    ScratchDir dir;
    std::string zip = dir.path() + "hostile.zip";
    ASSERT_TRUE(test::makeZip(zip, {{"fine.txt", "ok"}, {hostile, "escaped"}, {"after.txt", "x"}}));
    std::string dest = dir.path() + "a\\b\\";

    EXPECT_FALSE(extractInto(zip, dest).ok) << hostile;
    EXPECT_TRUE(fileExists(dest + "fine.txt"));
    EXPECT_FALSE(fileExists(dest + "after.txt"));
    EXPECT_FALSE(fileExists(dir.path() + "a\\escaped.txt")) << hostile;
    EXPECT_FALSE(fileExists(dir.path() + "escaped.txt")) << hostile;
  }
}

TEST(ZipExtractor, CreatesMissingParentsOfDestinationAndEntries) {
  ScratchDir dir;
  std::string zip = dir.path() + "nodirs.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"deep/er/file.txt", "x"}, {"empty/", "", true}}));
  std::string dest = dir.path() + "one\\two\\three\\";
  ASSERT_TRUE(extractInto(zip, dest).ok);
  EXPECT_EQ(readFileBytes(dest + "deep\\er\\file.txt"), "x");
  EXPECT_TRUE(test::directoryExists(dest + "empty"));
}

TEST(ZipExtractor, FailsCleanlyOnMissingOrUnusableInput) {
  ScratchDir dir;
  std::string zip = dir.path() + "ok.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"a.txt", "a"}}));
  ASSERT_TRUE(test::writeFileBytes(dir.path() + "not-a-zip.zip", "this is not an archive"));
  ASSERT_TRUE(test::writeFileBytes(dir.path() + "blocker", "a file where a directory should go"));

  EXPECT_FALSE(extractInto(dir.path() + "missing.zip", dir.path() + "out\\").ok);
  EXPECT_FALSE(extractInto("", dir.path() + "out\\").ok);
  EXPECT_FALSE(extractInto(zip, "").ok);
  EXPECT_FALSE(extractInto(dir.path() + "not-a-zip.zip", dir.path() + "out\\").ok);
  EXPECT_FALSE(extractInto(zip, dir.path() + "blocker\\sub\\").ok);
  EXPECT_FALSE(extractInto(zip, "Q:\\no\\such\\drive\\").ok);
}

TEST(ZipExtractor, TwoByteCharactersEndingInABackslashByteStayWhole) {
  // One character of code page 936 whose second byte equals '\\'.
  const std::string letter = "\x95\x5C";
  ScratchDir dir;
  std::string zip = dir.path() + "gbk.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"d" + letter + "/", "", true},
                                  {"d" + letter + "/f.txt", "inside"},
                                  {"x" + letter, "file"},
                                  {"n" + letter + "/deeper/g.txt", "nested"}}));
  std::string dest = dir.path() + "out" + letter;

  ASSERT_TRUE(extractInto(zip, dest).ok);
  dest += "\\";
  EXPECT_EQ(readFileBytes(dest + "d" + letter + "\\f.txt"), "inside");
  EXPECT_EQ(readFileBytes(dest + "x" + letter), "file");
  EXPECT_FALSE(test::directoryExists(dest + "x" + letter));
  EXPECT_EQ(readFileBytes(dest + "n" + letter + "\\deeper\\g.txt"), "nested");
}

TEST(ZipExtractor, ReportsHowFarItGotAndWhatStoppedIt) {
  ScratchDir dir;
  const std::string zip = dir.path() + "report.zip";
  const std::string first = sampleText(1, 3000);
  ASSERT_TRUE(test::makeZip(zip, {{"docs/", "", true}, {"docs/a.txt", first}, {"docs/b.txt", sampleText(2, 40000)}}));
  ExtractionReport report;
  ASSERT_TRUE(extractZip(zip, dir.path() + "out\\", nullptr, &report));
  EXPECT_EQ(report.entries, 3);
  EXPECT_EQ(report.total, 3);
  EXPECT_EQ(report.bytes, first.size() + sampleText(2, 40000).size());
  EXPECT_EQ(report.failure, "");

  ASSERT_TRUE(test::damageEntry(zip, "docs/b.txt"));
  ASSERT_FALSE(extractZip(zip, dir.path() + "damaged\\", nullptr, &report));
  EXPECT_EQ(report.entries, 2) << "the entries before the damaged one";
  EXPECT_EQ(report.failure.rfind("entry 3 of 3 \"docs/b.txt\": damaged data, unzip error ", 0), 0u) << report.failure;

  // A file that cannot be created carries the system's error code.
  ASSERT_TRUE(test::writeFileBytes(dir.path() + "blocked", "a file where a directory should be"));
  ASSERT_FALSE(extractZip(zip, dir.path() + "blocked\\", nullptr, &report));
  EXPECT_EQ(report.entries, 0);
  EXPECT_NE(report.systemError, 0u) << report.failure;

  ASSERT_FALSE(extractZip(dir.path() + "none.zip", dir.path(), nullptr, &report));
  EXPECT_EQ(report.failure, "the archive is missing");
}

// A window fed only after whole entries would stand still through a large
// file: such an entry repeats the last percentage after each mebibyte it
// inflates, across its full write buffers and its rest alike.
TEST(ZipExtractor, ALargeEntryRepeatsTheLastPercentageAsItIsWritten) {
  ScratchDir dir;
  std::string zip = dir.path() + "large.zip";
  const std::string large = sampleText(3, 10 << 20);  // two full write buffers and a rest
  ASSERT_TRUE(test::makeZip(zip, {{"a.txt", "a"}, {"large.bin", large}, {"c.txt", "c"}, {"d.txt", "d"}}));
  Extraction result = extractInto(zip, dir.path() + "out\\");
  ASSERT_TRUE(result.ok);
  std::vector<int> expected(11, 0);  // a.txt's report, then one a mebibyte
  expected.insert(expected.end(), {25, 50, 75, 100});
  EXPECT_EQ(result.reports, expected);
  EXPECT_EQ(readFileBytes(dir.path() + "out\\large.bin"), large);
}

// Someone able to write to the folder plants links where the entries go
// after the earlier files went aside: every path should then be new, and
// nothing is written through what stands there instead.
TEST(ZipExtractor, WritesNothingThroughALinkPlantedWhereAnEntryGoes) {
  ScratchDir dir;
  const std::string zip = dir.path() + "a.zip";
  ASSERT_TRUE(test::makeZip(
      zip, {{"Talvek.exe", "new program"}, {"Auxiliary/", "", true}, {"Auxiliary/Beacon.exe", "new beacon"}}));
  const std::string victim = dir.path() + "victim.dll";
  const std::string elsewhere = dir.path() + "elsewhere\\";
  ASSERT_TRUE(test::writeFileBytes(victim, "someone else's"));
  ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
  enum class Plant { HardLink, FileLink, FolderLink };
  for (Plant plant : {Plant::HardLink, Plant::FileLink, Plant::FolderLink}) {
    const std::string dest = dir.path() + "out" + std::to_string(static_cast<int>(plant)) + "\\";
    ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
    std::optional<test::PlantedLink> link;
    if (plant == Plant::HardLink) {
      ASSERT_TRUE(CreateHardLinkA((dest + "Talvek.exe").c_str(), victim.c_str(), nullptr));
    } else if (plant == Plant::FileLink) {
      link.emplace(dest + "Talvek.exe", victim, false);
    } else {
      link.emplace(dest + "Auxiliary", elsewhere.substr(0, elsewhere.size() - 1), true);
    }
    ASSERT_TRUE(!link || link->planted());
    ExtractionReport report;
    EXPECT_FALSE(extractZip(zip, dest, nullptr, &report, ExistingFiles::Refuse)) << static_cast<int>(plant);
    EXPECT_NE(report.failure.find("nothing is written through it"), std::string::npos) << report.failure;
    EXPECT_EQ(readFileBytes(victim), "someone else's");
    EXPECT_FALSE(fileExists(elsewhere + "Beacon.exe"));
    // Replacing files too: a folder that is a link, or a link to a file, is
    // refused; a hard link loses only its own name, its other one keeps its bytes.
    const bool replaced = extractZip(zip, dest, nullptr, &report, ExistingFiles::Replace);
    EXPECT_EQ(replaced, plant == Plant::HardLink) << static_cast<int>(plant) << ": " << report.failure;
    EXPECT_EQ(readFileBytes(victim), "someone else's");
    EXPECT_FALSE(fileExists(elsewhere + "Beacon.exe"));
    if (replaced) {
      EXPECT_EQ(readFileBytes(dest + "Talvek.exe"), "new program");
    }
  }
}

// A folder the extraction made, or found in place, cannot be swapped for
// a link while entries are still to be written into it.
TEST(ZipExtractor, AFolderInUseCannotBeSwappedForALinkMeanwhile) {
  ScratchDir dir;
  const std::string zip = dir.path() + "a.zip";
  ASSERT_TRUE(
      test::makeZip(zip, {{"made/", "", true}, {"found/a.txt", "a"}, {"made/b.txt", "b"}, {"found/c.txt", "c"}}));
  const std::string dest = dir.path() + "out\\";
  const std::string elsewhere = dir.path() + "elsewhere";
  ASSERT_TRUE(CreateDirectoryA(dest.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((dest + "found").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr));
  std::vector<std::unique_ptr<test::PlantedLink>> links;
  int swapped = 0;
  // After the second entry both folders are in use.
  const auto swapFolders = [&](int percent) {
    if (percent != 25) return;
    for (const char* folder : {"made", "found"}) {
      if (!MoveFileA((dest + folder).c_str(), (dest + folder + "-moved").c_str())) continue;
      ++swapped;
      links.push_back(std::make_unique<test::PlantedLink>(dest + folder, elsewhere, true));
    }
  };
  const bool ok = extractZip(zip, dest, swapFolders, nullptr, ExistingFiles::Refuse);
  EXPECT_EQ(swapped, 0);
  EXPECT_TRUE(ok);
  EXPECT_EQ(readFileBytes(dest + "made\\b.txt"), "b");
  EXPECT_EQ(readFileBytes(dest + "found\\c.txt"), "c");
  EXPECT_FALSE(fileExists(elsewhere + "\\b.txt"));
  EXPECT_FALSE(fileExists(elsewhere + "\\c.txt"));
}

// A link is told apart by where it leads as a whole, not by its last name:
// one to a file of the same name in another folder is still a link.
TEST(ZipExtractor, ALinkToAFileOfTheSameNameElsewhereIsStillALink) {
  ScratchDir dir;
  const std::string zip = dir.path() + "a.zip";
  ASSERT_TRUE(test::makeZip(zip, {{"Talvek.exe", "new program"}}));
  const std::string elsewhere = dir.path() + "elsewhere\\";
  const std::string dest = dir.path() + "out\\";
  ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr) && CreateDirectoryA(dest.c_str(), nullptr));
  ASSERT_TRUE(test::writeFileBytes(elsewhere + "Talvek.exe", "someone else's"));
  test::PlantedLink link(dest + "Talvek.exe", elsewhere + "Talvek.exe", false);
  ASSERT_TRUE(link.planted());
  ExtractionReport report;
  EXPECT_FALSE(extractZip(zip, dest, nullptr, &report, ExistingFiles::Replace));
  EXPECT_EQ(readFileBytes(elsewhere + "Talvek.exe"), "someone else's");
}
