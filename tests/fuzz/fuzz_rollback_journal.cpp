// Whatever lies in a keep-aside folder's journal, every path it leads the
// roll-back to stays below the installation folder, and undoing never puts
// back a path it does not delete first in the right order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "installer/ArchiveEntryName.h"
#include "installer/RollbackJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto journal = talvek::RollbackJournal::parse(text);
  if (!journal) return 0;
  for (const auto& line : journal->lines) {
    const auto again = talvek::safeRelativePath(line.relative);
    if (!again || *again != line.relative) std::abort();
    const auto reread = talvek::RollbackJournal::parse(std::string(talvek::RollbackJournal::kHeader) +
                                                       talvek::RollbackJournal::formatLine(line));
    if (!reread || reread->lines.size() != 1 || !(reread->lines.front() == line)) std::abort();
  }
  const auto steps = talvek::RollbackJournal::undoSteps(*journal, [&](const std::string& r) { return r.size() % 2; });
  if (steps.size() > journal->lines.size()) std::abort();
  return 0;
}
