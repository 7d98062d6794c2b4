// A skin database: named data items (the toolkit's chrome images) read from
// a "QeSkinDataBase V2" block or file and written back to a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/SkinDatabaseFormat.h"

namespace talvek {

// Criteria of getData; every one is optional.
struct SkinItemQuery {
  std::optional<int> index = std::nullopt;  // 1-based
  std::optional<std::int32_t> keyA = std::nullopt;
  std::optional<std::string_view> name = std::nullopt;
  std::optional<std::int32_t> keyB = std::nullopt;
};

class SkinDatabase {
 public:
  // Each load replaces description and items only when the whole input is
  // well formed; otherwise it fails and the database keeps what it held.
  // Paths are narrow texts in the system code page.
  bool loadFromFile(const std::string& path);
  bool loadFromBytes(ByteView block);
  bool saveToFile(const std::string& path) const;

  // A copy of the data of the item at a valid index; otherwise of the first
  // item matching every given criterion; an empty block when none does.
  ByteBlock getData(const SkinItemQuery& query = {}) const;
  ByteBlock getData(std::string_view name) const { return getData(SkinItemQuery{.name = name}); }

  const std::string& description() const { return content_.description; }
  void setDescription(std::string description) { content_.description = std::move(description); }
  const std::vector<SkinItem>& items() const { return content_.items; }
  void addItem(SkinItem item) { content_.items.push_back(std::move(item)); }
  void clear() { content_ = {}; }

 private:
  bool adopt(ByteView block, RecordFraming framing);

  SkinDatabaseContent content_;
};

}  // namespace talvek
