// Extracts a ZIP file into a directory, reporting whole percentages.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "installer/LinkSafeFiles.h"

namespace talvek {

using ProgressHandler = std::function<void(int percent)>;

// What an extraction did, for the install log: how far it got and, on a
// failure, what failed (in the system code page) with the system's error
// code where there is one.
struct ExtractionReport {
  long entries = 0;         // entries extracted
  long total = 0;           // entries in the archive, once counted
  std::uint64_t bytes = 0;  // bytes written
  std::string failure;
  unsigned long systemError = 0;
};

// What a file entry may find at its path. Replace: an earlier version,
// overwritten. Refuse: nothing, because what was there has been kept aside;
// whatever is there then (a link or hard link put there meanwhile) fails
// the extraction instead of being written through.
enum class ExistingFiles { Replace, Refuse };

// True on success. Fails when a path is empty, the file is missing, the
// destination cannot be created, the archive cannot be read, or an entry
// cannot be written; entries extracted before the failure stay. An entry
// whose name would leave the destination (absolute, drive letter, "..") is
// refused as a damaged entry, and so is one whose folder below the
// destination is a link or is reached through one. Reports i * 100 / count
// after entry i (the first report is 0) and 100 at the end; a large entry
// repeats the last percentage (0 at first) after each mebibyte it inflates,
// so a caller's window need never wait for a whole large file.
bool extractZip(const std::string& zipPath, const std::string& destDir, const ProgressHandler& onProgress,
                ExtractionReport* report = nullptr, ExistingFiles existing = ExistingFiles::Replace);

// The same from an archive already in memory (the embedded payload): what
// is extracted is exactly what the program carries, whatever happens to a
// copy of it on disk meanwhile.
bool extractZip(std::span<const std::uint8_t> archiveBytes, const std::string& destDir,
                const ProgressHandler& onProgress, ExtractionReport* report = nullptr,
                ExistingFiles existing = ExistingFiles::Replace);

// The same into a folder its caller holds (`destHandle`), which must exist.
bool extractZip(std::span<const std::uint8_t> archiveBytes, const FolderRoot& dest, HANDLE destHandle,
                const ProgressHandler& onProgress, ExtractionReport* report = nullptr,
                ExistingFiles existing = ExistingFiles::Replace);

// Creates `dir` and any missing parents; true when it exists afterwards.
bool createDirectoryTree(const std::string& dir);

}  // namespace talvek
