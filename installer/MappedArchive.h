// A ZIP file mapped read-only into memory, handed to the unzip reader as its
// file functions: reading an entry is a copy from the view instead of a
// system call per block.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include <ioapi.h>

#include "installer/ArchiveMemoryIo.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class MappedArchive {
 public:
  explicit MappedArchive(const std::string& path);
  // Bytes already in memory (the embedded payload); the caller keeps them.
  explicit MappedArchive(std::span<const std::uint8_t> bytes);
  ~MappedArchive();
  MappedArchive(const MappedArchive&) = delete;
  MappedArchive& operator=(const MappedArchive&) = delete;

  bool isOpen() const { return bytes_.data != nullptr; }
  // File functions for unzOpen2_64; the file name given there is ignored.
  zlib_filefunc64_def fileFunctions();

 private:
  Handle file_;
  Handle mapping_;
  const std::uint8_t* view_ = nullptr;
  MappedBytes bytes_;
};

}  // namespace talvek
