// Whatever an archive calls its entries, an accepted path stays below the
// destination: relative, no drive, no ".." component.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "installer/ArchiveEntryName.h"
#include "installer/GbkText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view name(reinterpret_cast<const char*>(data), size);
  auto path = talvek::safeRelativePath(name);
  if (!path) return 0;
  if (path->empty() || path->front() == '\\' || path->find(':') != std::string::npos) std::abort();
  std::string_view rest(*path);
  // Walk components as Windows will, honouring two-byte characters.
  size_t start = 0;
  for (size_t i = 0; i <= rest.size(); ++i) {
    if (i < rest.size() && talvek::gbkCharLength(rest, i) == 2) {
      ++i;
      continue;
    }
    char c = i < rest.size() ? rest[i] : '\\';
    if (c == '\\') {
      if (rest.substr(start, i - start) == "..") std::abort();
      start = i + 1;
    }
  }
  return 0;
}
