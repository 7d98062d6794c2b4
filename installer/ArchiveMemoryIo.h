// An archive's bytes in memory as the unzip reader's file: reading an entry
// is a copy from memory instead of a system call per block.
#pragma once

#include <cstdint>

#include <ioapi.h>

namespace talvek {

struct MappedBytes {
  const std::uint8_t* data = nullptr;
  std::uint64_t size = 0;
};

// File functions for unzOpen2_64 over `bytes`, which must outlive the
// archive opened with them; the file name given there is ignored.
zlib_filefunc64_def memoryFileFunctions(const MappedBytes* bytes);

}  // namespace talvek
