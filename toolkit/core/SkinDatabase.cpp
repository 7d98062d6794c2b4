#include "toolkit/core/SkinDatabase.h"

#include <cstdio>
#include <memory>

namespace talvek {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The whole file; what is read grows with the file, never with a count
// found inside it.
std::optional<ByteBlock> readWholeFile(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return std::nullopt;
  ByteBlock bytes;
  std::uint8_t chunk[16384];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace

bool SkinDatabase::adopt(ByteView block, RecordFraming framing) {
  auto parsed = parseSkinDatabase(block, framing);
  if (!parsed) return false;
  content_ = std::move(*parsed);
  return true;
}

bool SkinDatabase::loadFromBytes(ByteView block) { return adopt(block, RecordFraming::IgnoreLength); }

bool SkinDatabase::loadFromFile(const std::string& path) {
  auto bytes = readWholeFile(path);
  return bytes && adopt(*bytes, RecordFraming::ByLength);
}

bool SkinDatabase::saveToFile(const std::string& path) const {
  auto bytes = encodeSkinDatabase(content_);
  if (!bytes) return false;
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  bool written = std::fwrite(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
  return std::fclose(file.release()) == 0 && written;
}

ByteBlock SkinDatabase::getData(const SkinItemQuery& query) const {
  const auto& items = content_.items;
  if (query.index && *query.index >= 1 && static_cast<std::size_t>(*query.index) <= items.size()) {
    return items[static_cast<std::size_t>(*query.index) - 1].data;
  }
  for (const SkinItem& item : items) {
    if (query.name && item.name != *query.name) continue;
    if (query.keyB && item.keyB != *query.keyB) continue;
    if (query.keyA && item.keyA != *query.keyA) continue;
    return item.data;
  }
  return {};
}

}  // namespace talvek
