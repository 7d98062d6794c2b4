// The "QeSkinDataBase V2" container: a magic, an item count, a description
// and named data items, all integers 32-bit little-endian:
//
//   magic[17] N L description[L]
//   N x { R name\0 keyA keyB D data[D] }   with R = len(name) + 1 + 12 + D
//
// Readers check every count and length against what remains and give
// nothing for a block that is short, oversized or out of shape.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/ByteBlock.h"

namespace talvek {

inline constexpr std::string_view kSkinDatabaseMagic = "QeSkinDataBase V2";
static_assert(kSkinDatabaseMagic.size() == 17);

struct SkinItem {
  std::string name;  // GBK, compared exactly
  std::int32_t keyA = 0;
  std::int32_t keyB = 0;
  ByteBlock data;

  bool operator==(const SkinItem&) const = default;
};

struct SkinDatabaseContent {
  std::string description;
  std::vector<SkinItem> items;
};

// How an item's R field is treated: in a byte block it is skipped; in a
// file each record is read as R bytes and must hold the item.
enum class RecordFraming { IgnoreLength, ByLength };

std::optional<SkinDatabaseContent> parseSkinDatabase(ByteView block, RecordFraming framing);

// The file image; nothing when a length does not fit its 32-bit field.
// Names and the description end at their first zero byte.
std::optional<ByteBlock> encodeSkinDatabase(const SkinDatabaseContent& content);

}  // namespace talvek
