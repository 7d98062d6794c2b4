#include "toolkit/core/SkinDatabaseFormat.h"

#include <algorithm>
#include <limits>

#include "toolkit/core/ByteReader.h"

namespace talvek {
namespace {

// keyA, keyB and D follow every name.
constexpr std::size_t kFixedFieldsSize = 12;
// The smallest record: R, an empty name's terminator and the fixed fields.
constexpr std::size_t kSmallestRecord = 4 + 1 + kFixedFieldsSize;

std::string textOf(ByteView bytes) {
  auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return std::string(bytes.begin(), zero);
}

std::optional<SkinItem> readItemBody(ByteReader& reader) {
  auto name = reader.readZeroTerminated();
  if (!name) return std::nullopt;
  auto keyA = reader.readInt32();
  auto keyB = reader.readInt32();
  auto length = reader.readInt32();
  if (!keyA || !keyB || !length || *length < 0) return std::nullopt;
  auto data = reader.readBytes(static_cast<std::size_t>(*length));
  if (!data) return std::nullopt;
  return SkinItem{std::string(*name), *keyA, *keyB, ByteBlock(data->begin(), data->end())};
}

std::optional<SkinItem> readItem(ByteReader& reader, RecordFraming framing) {
  auto recordLength = reader.readInt32();
  if (!recordLength) return std::nullopt;
  if (framing == RecordFraming::IgnoreLength) return readItemBody(reader);
  if (*recordLength < 0) return std::nullopt;
  auto record = reader.readBytes(static_cast<std::size_t>(*recordLength));
  if (!record) return std::nullopt;
  ByteReader inner(*record);
  return readItemBody(inner);
}

void appendInt32(ByteBlock& out, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void appendText(ByteBlock& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

bool fitsInt32(std::size_t n) { return n <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()); }

std::string_view untilZero(const std::string& text) { return std::string_view(text.c_str()); }

}  // namespace

std::optional<SkinDatabaseContent> parseSkinDatabase(ByteView block, RecordFraming framing) {
  ByteReader reader(block);
  auto magic = reader.readBytes(kSkinDatabaseMagic.size());
  if (!magic || !std::equal(magic->begin(), magic->end(), kSkinDatabaseMagic.begin())) return std::nullopt;
  auto count = reader.readInt32();
  if (!count || *count < 0) return std::nullopt;
  auto descriptionLength = reader.readInt32();
  if (!descriptionLength || *descriptionLength < 0) return std::nullopt;
  auto description = reader.readBytes(static_cast<std::size_t>(*descriptionLength));
  if (!description) return std::nullopt;
  // Refuse a count the rest of the block cannot hold before making room for it.
  if (static_cast<std::size_t>(*count) > reader.remaining() / kSmallestRecord) return std::nullopt;

  SkinDatabaseContent content{textOf(*description), {}};
  content.items.reserve(static_cast<std::size_t>(*count));
  for (std::int32_t i = 0; i < *count; ++i) {
    auto item = readItem(reader, framing);
    if (!item) return std::nullopt;
    content.items.push_back(std::move(*item));
  }
  return content;
}

std::optional<ByteBlock> encodeSkinDatabase(const SkinDatabaseContent& content) {
  std::string_view description = untilZero(content.description);
  if (!fitsInt32(content.items.size()) || !fitsInt32(description.size())) return std::nullopt;
  ByteBlock out;
  appendText(out, kSkinDatabaseMagic);
  appendInt32(out, static_cast<std::int32_t>(content.items.size()));
  appendInt32(out, static_cast<std::int32_t>(description.size()));
  appendText(out, description);
  for (const SkinItem& item : content.items) {
    std::string_view name = untilZero(item.name);
    std::size_t recordLength = name.size() + 1 + kFixedFieldsSize + item.data.size();
    if (recordLength < item.data.size() || !fitsInt32(recordLength)) return std::nullopt;
    appendInt32(out, static_cast<std::int32_t>(recordLength));
    appendText(out, name);
    out.push_back(0);
    appendInt32(out, item.keyA);
    appendInt32(out, item.keyB);
    appendInt32(out, static_cast<std::int32_t>(item.data.size()));
    out.insert(out.end(), item.data.begin(), item.data.end());
  }
  return out;
}

}  // namespace talvek
