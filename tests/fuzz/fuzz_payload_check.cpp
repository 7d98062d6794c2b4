// Whatever archive a publisher brings, the build's check reads it without
// reading past its bytes, and every entry it passes lands below the
// installation folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "installer/ArchiveEntryName.h"
#include "installer/ArchiveReader.h"
#include "installer/PayloadCheck.h"

namespace {

// Only ASCII converts: enough to walk every path of the reader.
std::optional<std::string> asciiOnly(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;
  }
  return std::string(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> archive(data, size);
  talvek::checkPayload(archive, {asciiOnly, asciiOnly, nullptr});
  talvek::ArchiveReader reader(archive, asciiOnly);
  reader.forEach([&](const talvek::ArchiveEntry& entry) {
    if (entry.relative && !talvek::safeRelativePath(*entry.relative)) std::abort();
    reader.readCurrent(nullptr);
    return true;
  });
  return 0;
}
