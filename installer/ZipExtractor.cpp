#include "installer/ZipExtractor.h"

#include <windows.h>

#include <unzip.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "installer/ArchiveEntryName.h"
#include "installer/GbkPath.h"
#include "installer/HeldFolders.h"
#include "installer/LinkSafeFiles.h"
#include "installer/MappedArchive.h"
#include "installer/PathChecks.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

// Large enough that most product files are written with one WriteFile.
constexpr size_t kWriteChunk = 4 << 20;
// A poorly compressible block this size takes a loaded machine about a
// tenth of a second to inflate; a whole write buffer kept the ring still for
// several times that.
constexpr size_t kInflateSlice = 1 << 20;
constexpr unsigned kDosDirectoryAttribute = 0x10;
constexpr unsigned kUtf8NameFlag = 1u << 11;
constexpr char kLinkOnPath[] = "a folder on its path is a link; nothing is written through it";

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

bool fail(ExtractionReport& report, std::string what, unsigned long systemError = 0) {
  report.failure = std::move(what);
  report.systemError = systemError;
  return false;
}

constexpr char kSomethingInPlace[] = "something is in the new file's place; nothing is written through it";

// Every file is made new, so nothing found in its place (a link, a hard
// link to another file) is ever written through. An earlier version to be
// replaced is deleted first through a handle of its own, read-only or not;
// a link there is left alone and fails the entry. Its folder is held already.
Handle createOutputFile(const FolderRoot& dest, const std::string& relative, ExistingFiles existing,
                        ExtractionReport& report) {
  if (existing == ExistingFiles::Replace) {
    const LinkSafe removed = deleteItself(dest, relative);
    const DWORD error = GetLastError();
    if (removed == LinkSafe::Link) {
      fail(report, kSomethingInPlace);
      return {};
    }
    if (removed == LinkSafe::Failed && error != ERROR_FILE_NOT_FOUND) {
      fail(report, "cannot replace the earlier file", error);
      return {};
    }
  }
  Handle file(CreateFileA((dest.path + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    fail(report, error == ERROR_FILE_EXISTS ? kSomethingInPlace : "cannot create the file", error);
  }
  return file;
}

bool writeAll(HANDLE file, const char* data, size_t size) {
  DWORD written = 0;
  return WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

std::string unzipError(int code) {
  const char* meaning = code == UNZ_CRCERROR     ? " (checksum mismatch)"
                        : code == Z_DATA_ERROR   ? " (corrupt compressed data)"
                        : code == UNZ_BADZIPFILE ? " (bad ZIP structure)"
                        : code == UNZ_ERRNO      ? " (read error)"
                        : code == Z_MEM_ERROR    ? " (out of memory)"
                                                 : "";
  return "unzip error " + std::to_string(code) + meaning;
}

// Inflates the current entry straight into `dest` + `relative`.
bool extractCurrentFile(void* archive, const FolderRoot& dest, const std::string& relative, ExistingFiles existing,
                        uint64_t statedSize, std::vector<char>& buffer, const std::function<void()>& onSlice,
                        ExtractionReport& report) {
  if (int opened = unzOpenCurrentFile(archive); opened != UNZ_OK)
    return fail(report, "cannot read the entry, " + unzipError(opened));
  bool ok = false;
  uint64_t total = 0;
  Handle file = createOutputFile(dest, relative, existing, report);
  if (file) {
    ok = true;
    size_t filled = 0;
    for (;;) {
      const size_t slice = std::min(kInflateSlice, buffer.size() - filled);
      int got = unzReadCurrentFile(archive, buffer.data() + filled, static_cast<unsigned>(slice));
      if (got < 0) {
        ok = fail(report, "damaged data, " + unzipError(got));
        break;
      }
      filled += static_cast<size_t>(got);
      total += static_cast<uint64_t>(got);
      if (got == 0 || filled == buffer.size()) {
        ok = writeAll(file.get(), buffer.data(), filled);
        if (!ok) fail(report, "cannot write the file", GetLastError());
        report.bytes += ok ? filled : 0;
        filled = 0;
        if (!ok || got == 0) break;
      }
      // Only an entry with more to come: small files pay nothing for it.
      if (static_cast<size_t>(got) == slice) onSlice();
    }
  }
  // A CRC mismatch shows up only when the entry is closed, and only for an
  // entry read to its stated size: damaged data that ends early is caught
  // by its size alone.
  if (int closed = unzCloseCurrentFile(archive); closed != UNZ_OK && ok)
    ok = fail(report, "damaged data, " + unzipError(closed));
  if (ok && total != statedSize) {
    ok = fail(report, "damaged data, " + std::to_string(total) + " of " + std::to_string(statedSize) + " bytes");
  }
  return ok;
}

bool extractCurrentEntry(void* archive, HeldFolders& folders, ExistingFiles existing, std::vector<char>& buffer,
                         const std::function<void()>& onSlice, ExtractionReport& report) {
  unz_file_info64 info{};
  char rawName[1024];
  if (int got = unzGetCurrentFileInfo64(archive, &info, rawName, sizeof rawName, nullptr, 0, nullptr, 0);
      got != UNZ_OK) {
    return fail(report, "cannot read the entry's header, " + unzipError(got));
  }
  // A name longer than the buffer arrives cut short: never act on it.
  if (info.size_filename >= sizeof rawName) return fail(report, "the entry's name is too long");
  std::string name = entryNameInSystemCodePage(std::string(rawName, info.size_filename), info.flag);
  auto relative = safeRelativePath(name);
  if (!relative) return fail(report, "\"" + name + "\": the name leaves the installation directory");

  bool isDirectoryEntry = (info.external_fa & kDosDirectoryAttribute) || endsWithSeparator(*relative);
  std::string folder = isDirectoryEntry ? *relative : parentDirectory(*relative);
  if (endsWithSeparator(folder)) folder.pop_back();
  const LinkSafe held = folders.hold(folder);
  bool ok =
      held == LinkSafe::Done || (held == LinkSafe::Link ? fail(report, kLinkOnPath)
                                                        : fail(report, "cannot create the directory", GetLastError()));
  if (ok && !isDirectoryEntry) {
    ok = extractCurrentFile(archive, folders.root(), *relative, existing, info.uncompressed_size, buffer, onSlice,
                            report);
  }
  if (!ok) report.failure = "\"" + name + "\": " + report.failure;
  return ok;
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

namespace {

bool extractMapped(MappedArchive& mapped, const FolderRoot& dest, HANDLE destHandle, const ProgressHandler& onProgress,
                   ExistingFiles existing, ExtractionReport& r) {
  if (!mapped.isOpen()) return fail(r, "cannot open the archive", GetLastError());
  zlib_filefunc64_def io = mapped.fileFunctions();
  Archive archive(unzOpen2_64("archive", &io));
  if (!archive) return fail(r, "not a readable ZIP archive");

  auto count = countEntries(archive.get());
  if (!count) return fail(r, "the archive's central directory is damaged");
  r.total = *count;

  std::vector<char> buffer(kWriteChunk);
  HeldFolders folders(dest, destHandle);
  int lastPercent = 0;
  const std::function<void()> repeatLastPercent = [&] {
    if (onProgress) onProgress(lastPercent);
  };
  int status = unzGoToFirstFile(archive.get());
  for (long i = 0; i < *count; ++i) {
    if (status != UNZ_OK) return fail(r, "cannot step to the next entry, " + unzipError(status));
    if (!extractCurrentEntry(archive.get(), folders, existing, buffer, repeatLastPercent, r)) {
      r.failure = "entry " + std::to_string(i + 1) + " of " + std::to_string(*count) + " " + r.failure;
      return false;
    }
    r.entries = i + 1;
    lastPercent = static_cast<int>(i * 100 / *count);
    if (onProgress) onProgress(lastPercent);
    status = unzGoToNextFile(archive.get());
  }
  if (onProgress) onProgress(100);
  return true;
}

// The destination is made where missing and held for the extraction.
bool extractIntoNamed(MappedArchive& mapped, const std::string& destDir, const ProgressHandler& onProgress,
                      ExistingFiles existing, ExtractionReport& r) {
  const std::string dest = withTrailingSeparator(destDir);
  if (!createDirectoryTree(dest)) return fail(r, "cannot create the destination directory", GetLastError());
  FolderRoot root;
  Handle held;
  const LinkSafe opened = holdRoot(dest, root, held);
  if (opened != LinkSafe::Done) {
    return fail(r,
                opened == LinkSafe::Link ? "the destination is a link; nothing is written through it"
                                         : "cannot open the destination directory",
                GetLastError());
  }
  return extractMapped(mapped, root, held.get(), onProgress, existing, r);
}

}  // namespace

bool extractZip(const std::string& zipPath, const std::string& destDir, const ProgressHandler& onProgress,
                ExtractionReport* report, ExistingFiles existing) {
  ExtractionReport ignored;
  ExtractionReport& r = report ? *report : ignored;
  r = {};
  if (zipPath.empty() || destDir.empty()) return fail(r, "no archive or no destination given");
  if (!pathExists(zipPath)) return fail(r, "the archive is missing", GetLastError());
  MappedArchive mapped(zipPath);
  return extractIntoNamed(mapped, destDir, onProgress, existing, r);
}

bool extractZip(std::span<const std::uint8_t> archiveBytes, const std::string& destDir,
                const ProgressHandler& onProgress, ExtractionReport* report, ExistingFiles existing) {
  ExtractionReport ignored;
  ExtractionReport& r = report ? *report : ignored;
  r = {};
  if (destDir.empty()) return fail(r, "no destination given");
  MappedArchive mapped(archiveBytes);
  return extractIntoNamed(mapped, destDir, onProgress, existing, r);
}

bool extractZip(std::span<const std::uint8_t> archiveBytes, const FolderRoot& dest, HANDLE destHandle,
                const ProgressHandler& onProgress, ExtractionReport* report, ExistingFiles existing) {
  ExtractionReport ignored;
  ExtractionReport& r = report ? *report : ignored;
  r = {};
  MappedArchive mapped(archiveBytes);
  return extractMapped(mapped, dest, destHandle, onProgress, existing, r);
}

}  // namespace talvek
