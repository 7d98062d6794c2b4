#include "installer/KeepAsidePlan.h"

#include <gtest/gtest.h>

#include <map>

namespace talvek {
namespace {

const std::vector<PlannedEntry> kProduct{{"Auxiliary", true, 0},
                                         {"Auxiliary\\Beacon.exe", false, 300},
                                         {"Cache", true, 0},
                                         {"Talvek.exe", false, 5000}};

KeepAsidePlan planOver(const std::map<std::string, Found>& disk, std::vector<std::string>* looked = nullptr) {
  return planKeepAside(kProduct, [&](const std::string& relative) {
    if (looked) looked->push_back(relative);
    auto found = disk.find(relative);
    return found == disk.end() ? Found{} : found->second;
  });
}

TEST(KeepAsidePlan, AFreshFolderMakesEverythingAndLooksOnlyAtTheTop) {
  std::vector<std::string> looked;
  const auto plan = planOver({}, &looked);
  EXPECT_EQ(plan.lines, (std::vector<JournalLine>{{JournalVerb::MakeDir, "Auxiliary"},
                                                  {JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"},
                                                  {JournalVerb::MakeDir, "Cache"},
                                                  {JournalVerb::MakeFile, "Talvek.exe"}}));
  EXPECT_EQ(looked, (std::vector<std::string>{"Auxiliary", "Cache", "Talvek.exe"}));
  EXPECT_TRUE(plan.replacedFileSizes.empty());
}

TEST(KeepAsidePlan, AnEarlierVersionIsKeptBeforeEachPathIsMade) {
  const auto plan = planOver({{"Auxiliary", {FoundKind::Directory, 0}},
                              {"Auxiliary\\Beacon.exe", {FoundKind::File, 250}},
                              {"Cache", {FoundKind::Directory, 0}},
                              {"Talvek.exe", {FoundKind::File, 4000}}});
  EXPECT_EQ(plan.lines, (std::vector<JournalLine>{{JournalVerb::Keep, "Auxiliary\\Beacon.exe"},
                                                  {JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"},
                                                  {JournalVerb::Keep, "Talvek.exe"},
                                                  {JournalVerb::MakeFile, "Talvek.exe"}}));
  EXPECT_EQ(plan.replacedFileSizes, (std::vector<std::uint64_t>{250, 4000}));
}

TEST(KeepAsidePlan, AFileWhereAFolderGoesAndAFolderWhereAFileGoesAreKept) {
  const auto plan = planOver({{"Auxiliary", {FoundKind::Directory, 0}},
                              {"Cache", {FoundKind::File, 10}},
                              {"Talvek.exe", {FoundKind::Directory, 0}}});
  EXPECT_EQ(plan.lines, (std::vector<JournalLine>{{JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"},
                                                  {JournalVerb::Keep, "Cache"},
                                                  {JournalVerb::MakeDir, "Cache"},
                                                  {JournalVerb::Keep, "Talvek.exe"},
                                                  {JournalVerb::MakeFile, "Talvek.exe"}}));
  // Only files count as room given back.
  EXPECT_EQ(plan.replacedFileSizes, (std::vector<std::uint64_t>{10}));
  EXPECT_TRUE(plan.links.empty());
}

TEST(KeepAsidePlan, ALinkIsListedAndNothingBehindItIsLookedAtOrPlanned) {
  std::vector<std::string> looked;
  const auto plan = planOver({{"Auxiliary", {FoundKind::Link, 0}},
                              {"Auxiliary\\Beacon.exe", {FoundKind::File, 1}},
                              {"Talvek.exe", {FoundKind::Link, 0}}},
                             &looked);
  EXPECT_EQ(plan.links, (std::vector<std::string>{"Auxiliary", "Talvek.exe"}));
  EXPECT_EQ(looked, (std::vector<std::string>{"Auxiliary", "Cache", "Talvek.exe"}));
  for (const auto& line : plan.lines) EXPECT_EQ(line.relative.rfind("Auxiliary", 0), std::string::npos) << line.relative;
}

TEST(KeepAsidePlan, FoldersAnArchiveDoesNotListArePlannedAndRepeatsOnce) {
  const auto plan = planKeepAside({{"a\\b\\c.txt", false, 1}, {"a\\b\\c.txt", false, 1}, {"a", true, 0}},
                                  [](const std::string& relative) {
                                    return relative == "a" ? Found{FoundKind::File, 3} : Found{};
                                  });
  EXPECT_EQ(plan.lines, (std::vector<JournalLine>{{JournalVerb::Keep, "a"},
                                                  {JournalVerb::MakeDir, "a"},
                                                  {JournalVerb::MakeDir, "a\\b"},
                                                  {JournalVerb::MakeFile, "a\\b\\c.txt"}}));
}

// The earlier version of a product folder moves as one; a folder holding
// anything the archive does not name (a file of the user's, a link, a file
// where the archive has a folder) is planned path by path, and what it
// holds that is not named stays.
TEST(KeepAsidePlan, AFolderHoldingOnlyWhatTheArchiveNamesIsKeptWhole) {
  const std::vector<PlannedEntry> product{{"Auxiliary", true, 0},
                                          {"Auxiliary\\src", true, 0},
                                          {"Auxiliary\\src\\a.png", false, 1},
                                          {"Auxiliary\\Beacon.exe", false, 300},
                                          {"play\\local\\page.html", false, 2},
                                          {"Talvek.exe", false, 5000}};
  std::map<std::string, std::vector<ListedName>> folders{
      {"Auxiliary", {{"Beacon.exe", {FoundKind::File, 250}}, {"src", {FoundKind::Directory, 0}}}},
      {"Auxiliary\\src", {{"a.png", {FoundKind::File, 7}}}},
      {"play", {{"local", {FoundKind::Directory, 0}}, {"user.ini", {FoundKind::File, 3}}}},
      {"play\\local", {{"page.html", {FoundKind::File, 9}}}}};
  auto plan = [&] {
    std::map<std::string, Found> disk{{"Auxiliary", {FoundKind::Directory, 0}},
                                      {"play", {FoundKind::Directory, 0}},
                                      {"Talvek.exe", {FoundKind::File, 4000}}};
    for (const auto& [folder, items] : folders) {
      for (const auto& item : items) disk[folder + "\\" + item.name] = item.found;
    }
    std::vector<std::string> looked;
    auto made = planKeepAside(
        product,
        [&](const std::string& relative) {
          looked.push_back(relative);
          return disk.count(relative) ? disk[relative] : Found{};
        },
        [&](const std::string& relative) -> std::optional<std::vector<ListedName>> {
          if (!folders.count(relative)) return std::nullopt;
          return folders[relative];
        });
    return std::make_pair(made, looked);
  };

  auto [whole, looked] = plan();
  EXPECT_EQ(whole.lines, (std::vector<JournalLine>{{JournalVerb::Keep, "Auxiliary"},
                                                   {JournalVerb::MakeDir, "Auxiliary"},
                                                   {JournalVerb::MakeDir, "Auxiliary\\src"},
                                                   {JournalVerb::MakeFile, "Auxiliary\\src\\a.png"},
                                                   {JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"},
                                                   {JournalVerb::Keep, "play\\local"},
                                                   {JournalVerb::MakeDir, "play\\local"},
                                                   {JournalVerb::MakeFile, "play\\local\\page.html"},
                                                   {JournalVerb::Keep, "Talvek.exe"},
                                                   {JournalVerb::MakeFile, "Talvek.exe"}}));
  EXPECT_EQ(whole.replacedFileSizes, (std::vector<std::uint64_t>{250, 7, 9, 4000}));
  EXPECT_EQ(looked, (std::vector<std::string>{"Auxiliary", "play", "play\\local", "Talvek.exe"}));

  folders["Auxiliary"].push_back({"settings.ini", {FoundKind::File, 1}});
  folders["Auxiliary\\src"].push_back({"b.png", {FoundKind::Link, 0}});
  folders["play\\local"][0].found = {FoundKind::Directory, 0};
  const auto byPath = plan().first;
  EXPECT_EQ(byPath.lines, (std::vector<JournalLine>{{JournalVerb::Keep, "Auxiliary\\src\\a.png"},
                                                    {JournalVerb::MakeFile, "Auxiliary\\src\\a.png"},
                                                    {JournalVerb::Keep, "Auxiliary\\Beacon.exe"},
                                                    {JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"},
                                                    {JournalVerb::Keep, "play\\local\\page.html"},
                                                    {JournalVerb::MakeFile, "play\\local\\page.html"},
                                                    {JournalVerb::Keep, "Talvek.exe"},
                                                    {JournalVerb::MakeFile, "Talvek.exe"}}));
}

}  // namespace
}  // namespace talvek
