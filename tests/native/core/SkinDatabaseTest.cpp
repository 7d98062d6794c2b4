#include "toolkit/core/SkinDatabase.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "toolkit/core/ByteReader.h"

using talvek::ByteBlock;
using talvek::SkinDatabase;
using talvek::SkinItem;

namespace {

SkinDatabase sample() {
  SkinDatabase db;
  db.addItem({"关闭_正常", 0, 0, {0x89, 'P', 'N', 'G'}});
  db.addItem({"a", 7, -3, {}});
  db.addItem({"a", 7, 9, {1, 2, 3}});
  db.addItem({"", 0, 0, {0, 0, 0xFF}});
  return db;
}

ByteBlock encoded(const SkinDatabase& db) { return *talvek::encodeSkinDatabase({db.description(), db.items()}); }

void putInt32(ByteBlock& block, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) block[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
}

class TempFile {
 public:
  TempFile() {
    char name[] = "/tmp/skin_db_XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path_ = name;
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }
  ByteBlock read() const {
    std::ifstream in(path_, std::ios::binary);
    return ByteBlock(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void write(const ByteBlock& bytes) const {
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }

 private:
  std::string path_;
};

// Offsets of each item record's fields in encoded(sample()).
constexpr std::size_t kFirstRecord = 25;

}  // namespace

TEST(SkinDatabase, SavedFileLoadsBackWithRecordLengthsThatMatch) {
  SkinDatabase db = sample();
  db.setDescription("dark");
  TempFile file;
  ASSERT_TRUE(db.saveToFile(file.path()));

  SkinDatabase loaded;
  ASSERT_TRUE(loaded.loadFromFile(file.path()));
  EXPECT_EQ(loaded.items(), db.items());
  EXPECT_EQ(loaded.description(), "dark");

  // Walk the file by its R fields: each must equal what follows it.
  ByteBlock bytes = file.read();
  talvek::ByteReader reader(bytes);
  reader.readBytes(17);
  EXPECT_EQ(reader.readInt32(), 4);
  EXPECT_EQ(reader.readInt32(), 4);  // the description without a terminator
  reader.readBytes(4);
  for (const SkinItem& item : db.items()) {
    auto r = reader.readInt32();
    ASSERT_TRUE(r);
    std::size_t start = reader.position();
    EXPECT_EQ(reader.readZeroTerminated(), item.name);
    reader.readBytes(12 + item.data.size());
    EXPECT_EQ(static_cast<std::size_t>(*r), reader.position() - start);
  }
  EXPECT_EQ(reader.remaining(), 0u);

  // A block load of the same bytes agrees with the file load.
  SkinDatabase fromBytes;
  ASSERT_TRUE(fromBytes.loadFromBytes(bytes));
  EXPECT_EQ(fromBytes.items(), db.items());
}

TEST(SkinDatabase, EmptyDatabaseRoundTripsAndNamesEndAtTheirFirstZero) {
  SkinDatabase empty;
  ByteBlock bytes = encoded(empty);
  EXPECT_EQ(bytes.size(), 25u);
  SkinDatabase loaded = sample();
  ASSERT_TRUE(loaded.loadFromBytes(bytes));
  EXPECT_TRUE(loaded.items().empty());

  SkinDatabase odd;
  odd.addItem({std::string("ab\0cd", 5), 1, 2, {9}});
  SkinDatabase back;
  ASSERT_TRUE(back.loadFromBytes(encoded(odd)));
  ASSERT_EQ(back.items().size(), 1u);
  EXPECT_EQ(back.items()[0].name, "ab");
  EXPECT_EQ(back.items()[0].data, ByteBlock{9});
}

TEST(SkinDatabase, GetDataByIndexThenByCriteria) {
  SkinDatabase db = sample();
  EXPECT_EQ(db.getData({.index = 3}), (ByteBlock{1, 2, 3}));
  EXPECT_EQ(db.getData("a"), ByteBlock{});  // the first "a" has no data
  EXPECT_EQ(db.getData({.name = "a", .keyB = 9}), (ByteBlock{1, 2, 3}));
  EXPECT_EQ(db.getData({.keyA = 7}), ByteBlock{});
  EXPECT_EQ(db.getData({.keyA = 8}), ByteBlock{});
  // Out-of-range indexes fall back to the other criteria.
  EXPECT_EQ(db.getData({.index = 0, .name = ""}), (ByteBlock{0, 0, 0xFF}));
  EXPECT_EQ(db.getData({.index = 5, .name = "关闭_正常"}), (ByteBlock{0x89, 'P', 'N', 'G'}));
  EXPECT_EQ(db.getData({.index = -1, .name = "b"}), ByteBlock{});
  // No criteria at all: the first item.
  EXPECT_EQ(db.getData(), (ByteBlock{0x89, 'P', 'N', 'G'}));
  EXPECT_EQ(SkinDatabase().getData(), ByteBlock{});
}

TEST(SkinDatabase, RejectsShortOrForeignBlocksAndKeepsItsItems) {
  SkinDatabase db = sample();
  ByteBlock good = encoded(db);
  SkinDatabase target = sample();
  for (std::size_t length = 0; length <= 16; ++length) {
    EXPECT_FALSE(target.loadFromBytes(ByteBlock(good.begin(), good.begin() + length))) << length;
  }
  ByteBlock foreign = good;
  foreign[16] = '3';
  EXPECT_FALSE(target.loadFromBytes(foreign));
  ByteBlock negative = good;
  putInt32(negative, 17, -1);
  EXPECT_FALSE(target.loadFromBytes(negative));
  EXPECT_EQ(target.items(), db.items());
}

TEST(SkinDatabase, EveryTruncationFailsCleanlyInBlocksAndFiles) {
  SkinDatabase db = sample();
  ByteBlock good = encoded(db);
  TempFile file;
  for (std::size_t length = 17; length < good.size(); ++length) {
    ByteBlock cut(good.begin(), good.begin() + length);
    SkinDatabase target;
    target.addItem({"kept", 1, 1, {1}});
    EXPECT_FALSE(target.loadFromBytes(cut)) << length;
    file.write(cut);
    EXPECT_FALSE(target.loadFromFile(file.path())) << length;
    ASSERT_EQ(target.items().size(), 1u);
    EXPECT_EQ(target.items()[0].name, "kept");
  }
}

TEST(SkinDatabase, OversizedCountsAndLengthsFailAtEveryField) {
  SkinDatabase db = sample();
  const ByteBlock good = encoded(db);
  const std::size_t name = kFirstRecord + 4;
  const std::size_t keys = name + std::string("关闭_正常").size() + 1;
  const std::size_t dataLength = keys + 8;
  struct Corruption {
    std::size_t at;
    std::int32_t value;
  };
  // One byte more than the block holds, and far more.
  const auto pastEnd = [&](std::size_t field) { return static_cast<std::int32_t>(good.size() - (field + 4) + 1); };
  for (Corruption c : {Corruption{17, 5}, {17, 0x7FFFFFFF}, {21, pastEnd(21)}, {21, 0x7FFFFFFF}, {21, -1},
                       {dataLength, pastEnd(dataLength)}, {dataLength, 0x7FFFFFFF}, {dataLength, -1}}) {
    ByteBlock bad = good;
    putInt32(bad, c.at, c.value);
    SkinDatabase target = sample();
    EXPECT_FALSE(target.loadFromBytes(bad)) << c.at << " " << c.value;
    EXPECT_EQ(target.items(), db.items());
  }
  // A name with no terminator before the end.
  ByteBlock unterminated(good.begin(), good.begin() + keys - 1);
  EXPECT_FALSE(SkinDatabase().loadFromBytes(unterminated));
}

TEST(SkinDatabase, FileRecordsMustHoldTheirItem) {
  SkinDatabase db = sample();
  ByteBlock good = encoded(db);
  TempFile file;
  for (std::int32_t r : {-1, 0, 12, 0x7FFFFFFF}) {
    ByteBlock bad = good;
    putInt32(bad, kFirstRecord, r);
    file.write(bad);
    SkinDatabase target = sample();
    EXPECT_FALSE(target.loadFromFile(file.path())) << r;
    EXPECT_EQ(target.items(), db.items());
    // A block ignores R.
    EXPECT_TRUE(target.loadFromBytes(bad));
  }
  // A huge item count is refused before anything is made for it.
  ByteBlock huge = good;
  putInt32(huge, 17, 0x7FFFFFFF);
  file.write(huge);
  EXPECT_FALSE(SkinDatabase().loadFromFile(file.path()));
  EXPECT_FALSE(SkinDatabase().loadFromFile(file.path() + ".missing"));
  EXPECT_FALSE(sample().saveToFile("/nonexistent-dir/x.db"));
}
