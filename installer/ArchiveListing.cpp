#include "installer/ArchiveListing.h"

#include <windows.h>

#include <unzip.h>

#include <memory>

#include "installer/ArchiveEntryName.h"
#include "installer/GbkPath.h"
#include "installer/MappedArchive.h"
#include "toolkit/core/CodePage.h"

namespace talvek {
namespace {

constexpr unsigned kDosDirectoryAttribute = 0x10;
constexpr unsigned kUtf8NameFlag = 1u << 11;

}  // namespace

std::optional<std::vector<PlannedEntry>> listArchive(std::span<const std::uint8_t> archive) {
  MappedArchive mapped(archive);
  zlib_filefunc64_def io = mapped.fileFunctions();
  std::unique_ptr<void, int (*)(unzFile)> zip(unzOpen2_64("payload", &io), unzClose);
  if (!zip) return std::nullopt;
  std::vector<PlannedEntry> entries;
  int status = unzGoToFirstFile(zip.get());
  for (; status == UNZ_OK; status = unzGoToNextFile(zip.get())) {
    unz_file_info64 info{};
    char raw[1024];
    if (unzGetCurrentFileInfo64(zip.get(), &info, raw, sizeof raw, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.size_filename >= sizeof raw) {
      return std::nullopt;
    }
    std::string name(raw, info.size_filename);
    if (info.flag & kUtf8NameFlag) name = fromWide(toWide(name, CP_UTF8));
    auto relative = safeRelativePath(name);
    if (!relative) continue;
    const bool directory = (info.external_fa & kDosDirectoryAttribute) || endsWithSeparator(*relative);
    if (endsWithSeparator(*relative)) relative->pop_back();
    entries.push_back({std::move(*relative), directory, directory ? 0 : info.uncompressed_size});
  }
  if (status != UNZ_END_OF_LIST_OF_FILE) return std::nullopt;
  return entries;
}

}  // namespace talvek
