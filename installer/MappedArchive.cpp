#include "installer/MappedArchive.h"

namespace talvek {

MappedArchive::MappedArchive(const std::string& path)
    : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {
  if (!file_) return;
  LARGE_INTEGER size{};
  // An empty file cannot be mapped; it is no archive either.
  if (!GetFileSizeEx(file_.get(), &size) || size.QuadPart == 0) return;
  mapping_.reset(CreateFileMappingA(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping_) return;
  view_ = static_cast<const std::uint8_t*>(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
  if (view_) bytes_ = {view_, static_cast<std::uint64_t>(size.QuadPart)};
}

MappedArchive::MappedArchive(std::span<const std::uint8_t> bytes) {
  if (!bytes.empty()) bytes_ = {bytes.data(), bytes.size()};
}

MappedArchive::~MappedArchive() {
  if (view_) UnmapViewOfFile(view_);
}

zlib_filefunc64_def MappedArchive::fileFunctions() {
  // The unzip reader keeps the opaque pointer for the archive's lifetime,
  // which the caller bounds by this object's.
  return memoryFileFunctions(&bytes_);
}

}  // namespace talvek
