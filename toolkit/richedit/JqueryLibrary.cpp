#include "toolkit/richedit/JqueryLibrary.h"

#include <zlib.h>

#include <vector>

#include "toolkit/core/EmbeddedBlob.h"

// Its length as four little-endian bytes, then its zlib stream
// (scripts/deflate-blob.py): deflated, it takes a third of the room.
TALVEK_DECLARE_BLOB(talvek_jquery_deflated);

namespace talvek::richedit {
namespace {

std::vector<std::uint8_t> inflateLibrary() {
  const std::span<const std::uint8_t> packed = TALVEK_BLOB(talvek_jquery_deflated);
  if (packed.size() < 4) return {};
  const std::uint32_t size = packed[0] | packed[1] << 8 | packed[2] << 16 | std::uint32_t{packed[3]} << 24;
  std::vector<std::uint8_t> bytes(size);
  uLongf written = size;
  if (uncompress(bytes.data(), &written, packed.data() + 4, static_cast<uLong>(packed.size() - 4)) != Z_OK ||
      written != size) {
    return {};
  }
  return bytes;
}

}  // namespace

std::span<const std::uint8_t> jqueryLibrary() {
  // Never freed: the server's threads may still be sending it while the
  // process exits.
  static const auto* library = new std::vector<std::uint8_t>(inflateLibrary());
  return *library;
}

}  // namespace talvek::richedit
