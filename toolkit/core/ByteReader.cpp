#include "toolkit/core/ByteReader.h"

#include <algorithm>

namespace talvek {

std::optional<std::int32_t> ByteReader::readInt32() {
  auto raw = readBytes(4);
  if (!raw) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | (*raw)[static_cast<std::size_t>(i)];
  return static_cast<std::int32_t>(value);
}

std::optional<ByteView> ByteReader::readBytes(std::size_t count) {
  if (count > remaining()) return std::nullopt;
  ByteView out = bytes_.subspan(position_, count);
  position_ += count;
  return out;
}

std::optional<std::string_view> ByteReader::readZeroTerminated() {
  auto rest = bytes_.subspan(position_);
  auto zero = std::find(rest.begin(), rest.end(), std::uint8_t{0});
  if (zero == rest.end()) return std::nullopt;
  auto length = static_cast<std::size_t>(zero - rest.begin());
  std::string_view text(reinterpret_cast<const char*>(rest.data()), length);
  position_ += length + 1;
  return text;
}

}  // namespace talvek
