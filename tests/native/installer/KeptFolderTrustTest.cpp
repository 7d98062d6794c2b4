#include "installer/KeptFolderTrust.h"

#include <gtest/gtest.h>

using namespace talvek;

TEST(KeptFolderTrust, OnlyTheRecordedFolderWithItsOwnJournalIsTrusted) {
  const KeptFolderRecord record{{7, 0x1122334455667788ull}, {7, 42}};
  const auto parsed = KeptFolderRecord::parse(record.bytes());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(*parsed, record);
  const auto bytes = record.bytes();
  EXPECT_FALSE(KeptFolderRecord::parse(std::span(bytes).first(KeptFolderRecord::kBytes - 1)));

  EXPECT_EQ(judgeKeptFolder(record, {record.folder, record.journal}), KeptFolderTrust::Trusted);
  // Its removal got past the journal: the rest is still ours to remove.
  EXPECT_EQ(judgeKeptFolder(record, {record.folder, std::nullopt}), KeptFolderTrust::Trusted);
  EXPECT_EQ(judgeKeptFolder(std::nullopt, {record.folder, record.journal}), KeptFolderTrust::NotRecorded);
  EXPECT_EQ(judgeKeptFolder(record, {{7, 1}, record.journal}), KeptFolderTrust::OtherFolder);
  EXPECT_EQ(judgeKeptFolder(record, {{8, record.folder.index}, record.journal}), KeptFolderTrust::OtherFolder);
  EXPECT_EQ(judgeKeptFolder(record, {record.folder, FileIdentity{7, 43}}), KeptFolderTrust::OtherJournal);
  EXPECT_EQ(judgeKeptFolder(record, {record.folder, record.journal, 2}), KeptFolderTrust::LinkedJournal);
}

// An elevated installer believes only what administrators alone can
// write; the same account unelevated could forge the per-user record.
TEST(KeptFolderTrust, AnElevatedInstallerRecordsAndTrustsOnlyPerMachine) {
  using Places = std::vector<RecordPlace>;
  EXPECT_EQ(recordPlacesToWrite(Elevation::Elevated), Places{RecordPlace::Machine});
  EXPECT_EQ(recordPlacesToTrust(Elevation::Elevated), Places{RecordPlace::Machine});
  EXPECT_EQ(recordPlacesToWrite(Elevation::NotElevated), Places{RecordPlace::User});
  EXPECT_EQ(recordPlacesToTrust(Elevation::NotElevated), (Places{RecordPlace::Machine, RecordPlace::User}));
  EXPECT_EQ(recordPlacesToWrite(Elevation::Unknown), (Places{RecordPlace::Machine, RecordPlace::User}));
}
