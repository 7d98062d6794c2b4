#include "installer/ZipExtractor.h"

#include <windows.h>

#include <unzip.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "installer/ArchiveEntryName.h"
#include "installer/GbkPath.h"
#include "installer/MappedArchive.h"
#include "installer/PathChecks.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

// Large enough that most product files are written with one WriteFile.
constexpr size_t kWriteChunk = 4 << 20;
constexpr unsigned kDosDirectoryAttribute = 0x10;
constexpr unsigned kUtf8NameFlag = 1u << 11;

struct UnzipCloser {
  void operator()(void* archive) const { unzClose(archive); }
};
using Archive = std::unique_ptr<void, UnzipCloser>;

// Entry names flagged as UTF-8 are turned into the system code page, like
// every other path the installer forms.
std::string entryNameInSystemCodePage(const std::string& raw, unsigned long flags) {
  if (!(flags & kUtf8NameFlag)) return raw;
  return fromWide(toWide(raw, CP_UTF8));
}

std::optional<long> countEntries(void* archive) {
  long count = 0;
  int status = unzGoToFirstFile(archive);
  while (status == UNZ_OK) {
    ++count;
    status = unzGoToNextFile(archive);
  }
  if (status != UNZ_END_OF_LIST_OF_FILE) return std::nullopt;
  return count;
}

Handle createOutputFile(const std::string& path) {
  auto open = [&] {
    return Handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  };
  Handle file = open();
  DWORD error = file ? ERROR_SUCCESS : GetLastError();
  // A read-only (or hidden) file refuses to be replaced until its
  // attributes are normal; a fresh install never pays for that call.
  if (error == ERROR_ACCESS_DENIED && SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
    file = open();
  } else if (error == ERROR_PATH_NOT_FOUND && createDirectoryTree(parentDirectory(path))) {
    // Archives without explicit directory entries still extract.
    file = open();
  }
  return file;
}

bool writeAll(HANDLE file, const char* data, size_t size) {
  DWORD written = 0;
  return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

// Inflates the current entry straight into `path`.
bool extractCurrentFile(void* archive, const std::string& path, uint64_t statedSize, std::vector<char>& buffer) {
  if (unzOpenCurrentFile(archive) != UNZ_OK) return false;
  bool ok = false;
  uint64_t total = 0;
  if (Handle file = createOutputFile(path)) {
    ok = true;
    size_t filled = 0;
    for (;;) {
      int got = unzReadCurrentFile(archive, buffer.data() + filled, static_cast<unsigned>(buffer.size() - filled));
      if (got < 0) {
        ok = false;
        break;
      }
      filled += static_cast<size_t>(got);
      total += static_cast<uint64_t>(got);
      if (got == 0 || filled == buffer.size()) {
        ok = writeAll(file.get(), buffer.data(), filled);
        filled = 0;
        if (!ok || got == 0) break;
      }
    }
  }
  // A CRC mismatch shows up only when the entry is closed, and only for an
  // entry read to its stated size: damaged data that ends early is caught
  // by its size alone.
  if (unzCloseCurrentFile(archive) != UNZ_OK || total != statedSize) ok = false;
  // Replacing a file may keep its old attributes; the product's files are
  // never left read-only.
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return ok;
}

bool extractCurrentEntry(void* archive, const std::string& destDir, std::vector<char>& buffer) {
  unz_file_info64 info{};
  char rawName[1024];
  if (unzGetCurrentFileInfo64(archive, &info, rawName, sizeof rawName, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }
  // A name longer than the buffer arrives cut short: never act on it.
  if (info.size_filename >= sizeof rawName) return false;
  std::string name(rawName, info.size_filename);
  auto relative = safeRelativePath(entryNameInSystemCodePage(name, info.flag));
  if (!relative) return false;

  std::string path = destDir + *relative;
  bool isDirectoryEntry = (info.external_fa & kDosDirectoryAttribute) || endsWithSeparator(*relative);
  if (isDirectoryEntry) return createDirectoryTree(path);
  return extractCurrentFile(archive, path, info.uncompressed_size, buffer);
}

}  // namespace

bool createDirectoryTree(const std::string& dir) {
  if (dir.empty()) return false;
  std::string path = withTrailingSeparator(dir);
  if (isDirectory(path)) return true;
  // Walk the prefixes, creating each missing level; a "\\\\server\\share"
  // or "C:" prefix already exists or fails at the first real level.
  for (size_t pos : separatorOffsets(path)) {
    if (pos == 0) continue;
    std::string prefix = path.substr(0, pos);
    if (prefix.empty() || prefix.back() == ':' || isDirectory(prefix)) continue;
    if (!CreateDirectoryA(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      // Creating "\\\\server" fails while the share itself is reachable.
      if (prefix.rfind("\\\\", 0) != 0) return false;
    }
  }
  return isDirectory(path);
}

bool extractZip(const std::string& zipPath, const std::string& destDir, const ProgressHandler& onProgress) {
  if (zipPath.empty() || destDir.empty() || !pathExists(zipPath)) return false;
  const std::string dest = withTrailingSeparator(destDir);
  if (!createDirectoryTree(dest)) return false;

  MappedArchive mapped(zipPath);
  if (!mapped.isOpen()) return false;
  zlib_filefunc64_def io = mapped.fileFunctions();
  Archive archive(unzOpen2_64(zipPath.c_str(), &io));
  if (!archive) return false;

  auto count = countEntries(archive.get());
  if (!count) return false;

  std::vector<char> buffer(kWriteChunk);
  int status = unzGoToFirstFile(archive.get());
  for (long i = 0; i < *count; ++i) {
    if (status != UNZ_OK || !extractCurrentEntry(archive.get(), dest, buffer)) return false;
    if (onProgress) onProgress(static_cast<int>(i * 100 / *count));
    status = unzGoToNextFile(archive.get());
  }
  if (onProgress) onProgress(100);
  return true;
}

}  // namespace talvek
