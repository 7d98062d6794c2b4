// Bounds-checked reading of little-endian binary data. Every read checks
// what remains first; a failed read leaves the position where it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "toolkit/core/ByteBlock.h"

namespace talvek {

class ByteReader {
 public:
  explicit ByteReader(ByteView bytes) : bytes_(bytes) {}

  std::size_t remaining() const { return bytes_.size() - position_; }
  std::size_t position() const { return position_; }

  std::optional<std::int32_t> readInt32();
  // count bytes, in place; nothing when fewer remain.
  std::optional<ByteView> readBytes(std::size_t count);
  // A zero-terminated string (terminator consumed, not returned); nothing
  // when no terminator comes before the end.
  std::optional<std::string_view> readZeroTerminated();

 private:
  ByteView bytes_;
  std::size_t position_ = 0;
};

}  // namespace talvek
