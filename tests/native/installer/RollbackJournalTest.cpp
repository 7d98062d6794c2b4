#include "installer/RollbackJournal.h"

#include <gtest/gtest.h>

#include <set>

namespace talvek {
namespace {

std::string journalOf(const std::vector<JournalLine>& lines) {
  std::string text(RollbackJournal::kHeader);
  for (const auto& line : lines) text += RollbackJournal::formatLine(line);
  return text;
}

TEST(RollbackJournal, ReadsBackWhatItWrote) {
  const std::vector<JournalLine> lines{{JournalVerb::Keep, "Talvek.exe"},
                                       {JournalVerb::Archive, "install.zip"},
                                       {JournalVerb::MakeDir, "Auxiliary"},
                                       {JournalVerb::MakeFile, "Auxiliary\\\x95\x5C.dll"},
                                       {JournalVerb::MakeFile, "使用说明.txt"}};
  const auto journal = RollbackJournal::parse(journalOf(lines));
  ASSERT_TRUE(journal);
  EXPECT_EQ(journal->lines, lines);
  EXPECT_FALSE(journal->committed);
  EXPECT_EQ(journal->refusedLines, 0u);
}

TEST(RollbackJournal, RefusesWhatItDidNotWrite) {
  EXPECT_FALSE(RollbackJournal::parse(""));
  EXPECT_FALSE(RollbackJournal::parse("keep Talvek.exe\n"));
  // Paths that would leave the installation folder, unknown verbs, lines
  // without a path: counted, never acted on.
  const auto journal = RollbackJournal::parse(std::string(RollbackJournal::kHeader) +
                                              "make-file ..\\..\\Windows\\system32\\x.dll\n"
                                              "make-file C:\\boot.ini\n"
                                              "make-file \\\\server\\share\\x\n"
                                              "delete Talvek.exe\n"
                                              "keep\n"
                                              "keep Talvek.exe\r\n");
  ASSERT_TRUE(journal);
  EXPECT_EQ(journal->refusedLines, 5u);
  EXPECT_EQ(journal->lines, (std::vector<JournalLine>{{JournalVerb::Keep, "Talvek.exe"}}));
}

TEST(RollbackJournal, ALineCutShortWasNeverActedOn) {
  const auto journal = RollbackJournal::parse(std::string(RollbackJournal::kHeader) + "keep a.dll\nkeep b.d");
  ASSERT_TRUE(journal);
  EXPECT_EQ(journal->lines, (std::vector<JournalLine>{{JournalVerb::Keep, "a.dll"}}));
}

TEST(RollbackJournal, UndoGoesBackwardsAndPutsBackAfterRemovingWhatTookThePlace) {
  const Journal journal{{{JournalVerb::Keep, "Talvek.exe"},
                         {JournalVerb::Archive, "install.zip"},
                         {JournalVerb::MakeDir, "Auxiliary"},
                         {JournalVerb::Keep, "Auxiliary\\Beacon.exe"},
                         {JournalVerb::MakeFile, "Auxiliary\\Beacon.exe"},
                         {JournalVerb::MakeFile, "Talvek.exe"}}};
  const auto steps = RollbackJournal::undoSteps(journal, [](const std::string&) { return true; });
  EXPECT_EQ(steps, (std::vector<UndoStep>{{UndoAction::DeleteMadeFile, "Talvek.exe"},
                                          {UndoAction::DeleteMadeFile, "Auxiliary\\Beacon.exe"},
                                          {UndoAction::PutBack, "Auxiliary\\Beacon.exe"},
                                          {UndoAction::RemoveMadeFolder, "Auxiliary"},
                                          {UndoAction::DeleteMadeFile, "install.zip"},
                                          {UndoAction::PutBack, "Talvek.exe"}}));
}

TEST(RollbackJournal, APathNeverMovedIsLeftWhereItIs) {
  // Killed after the plan was written but before the second move: the
  // originals of b.dll and of the folder kept whole, with all it holds,
  // are still in their places and must survive the undo.
  const Journal journal{{{JournalVerb::Keep, "a.dll"},
                         {JournalVerb::MakeFile, "a.dll"},
                         {JournalVerb::Keep, "b.dll"},
                         {JournalVerb::MakeFile, "b.dll"},
                         {JournalVerb::Keep, "d"},
                         {JournalVerb::MakeDir, "d"},
                         {JournalVerb::MakeDir, "d\\e"},
                         {JournalVerb::MakeFile, "d\\e\\f.dll"},
                         {JournalVerb::MakeFile, "dd.dll"},
                         {JournalVerb::MakeFile, "c.dll"}}};
  const std::set<std::string> moved{"a.dll"};
  const auto steps =
      RollbackJournal::undoSteps(journal, [&](const std::string& relative) { return moved.count(relative) > 0; });
  EXPECT_EQ(steps, (std::vector<UndoStep>{{UndoAction::DeleteMadeFile, "c.dll"},
                                          {UndoAction::DeleteMadeFile, "dd.dll"},
                                          {UndoAction::DeleteMadeFile, "a.dll"},
                                          {UndoAction::PutBack, "a.dll"}}));
}

TEST(RollbackJournal, ARepeatedKeepIsPutBackOnce) {
  const Journal journal{{{JournalVerb::Keep, "Talvek.exe"},
                         {JournalVerb::Keep, "Talvek.exe"},
                         {JournalVerb::MakeFile, "Talvek.exe"}}};
  const auto steps = RollbackJournal::undoSteps(journal, [](const std::string&) { return true; });
  EXPECT_EQ(steps, (std::vector<UndoStep>{{UndoAction::DeleteMadeFile, "Talvek.exe"}, {UndoAction::PutBack, "Talvek.exe"}}));
}

TEST(RollbackJournal, ACommittedJournalUndoesNothing) {
  const auto journal = RollbackJournal::parse(journalOf({{JournalVerb::Keep, "Talvek.exe"}}) +
                                              std::string(RollbackJournal::kCommitted));
  ASSERT_TRUE(journal);
  EXPECT_TRUE(journal->committed);
  EXPECT_TRUE(RollbackJournal::undoSteps(*journal, [](const std::string&) { return true; }).empty());
}

}  // namespace
}  // namespace talvek
