#include "installer/ArchiveReader.h"

#include <unzip.h>

#include <vector>

#include "installer/ArchiveEntryName.h"
#include "installer/ArchiveMemoryIo.h"
#include "installer/GbkPath.h"

namespace talvek {
namespace {

constexpr unsigned kDosDirectoryAttribute = 0x10;
constexpr unsigned kEncryptedFlag = 1u << 0;
constexpr unsigned kUtf8NameFlag = 1u << 11;
constexpr std::size_t kSlice = 1 << 20;

}  // namespace

struct ArchiveReader::Io {
  MappedBytes bytes;
  zlib_filefunc64_def functions;
};

ArchiveReader::ArchiveReader(std::span<const std::uint8_t> archive, Utf8ToSystem decodeUtf8)
    : io_(new Io{{archive.data(), archive.size()}, {}}), archive_(nullptr), decodeUtf8_(std::move(decodeUtf8)) {
  if (archive.empty()) return;
  io_->functions = memoryFileFunctions(&io_->bytes);
  archive_ = unzOpen2_64("archive", &io_->functions);
}

ArchiveReader::~ArchiveReader() {
  if (archive_) unzClose(archive_);
  delete io_;
}

bool ArchiveReader::forEach(const std::function<bool(const ArchiveEntry& entry)>& visit) {
  if (!archive_) return false;
  // The format allows names of 65,535 bytes; none is cut short.
  std::vector<char> raw(0x10000);
  int status = unzGoToFirstFile(archive_);
  for (; status == UNZ_OK; status = unzGoToNextFile(archive_)) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(archive_, &info, raw.data(), static_cast<uLong>(raw.size()), nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
      return false;
    }
    ArchiveEntry entry;
    entry.rawName.assign(raw.data(), info.size_filename);
    entry.utf8Flag = info.flag & kUtf8NameFlag;
    entry.name = entry.utf8Flag ? decodeUtf8_(entry.rawName) : std::optional(entry.rawName);
    if (entry.name) entry.relative = safeRelativePath(*entry.name);
    entry.directory = (info.external_fa & kDosDirectoryAttribute) || (entry.name && endsWithSeparator(*entry.name));
    if (entry.relative && endsWithSeparator(*entry.relative)) entry.relative->pop_back();
    entry.method = static_cast<unsigned>(info.compression_method);
    entry.encrypted = info.flag & kEncryptedFlag;
    entry.compressedSize = info.compressed_size;
    entry.size = info.uncompressed_size;
    if (!visit(entry)) return true;
  }
  return status == UNZ_END_OF_LIST_OF_FILE;
}

bool ArchiveReader::readCurrent(const std::function<void(std::span<const std::uint8_t> slice)>& sink) {
  unz_file_info64 info{};
  if (!archive_ || unzGetCurrentFileInfo64(archive_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
      unzOpenCurrentFile(archive_) != UNZ_OK) {
    return false;
  }
  std::vector<std::uint8_t> buffer(kSlice);
  std::uint64_t total = 0;
  int got = 0;
  while ((got = unzReadCurrentFile(archive_, buffer.data(), static_cast<unsigned>(buffer.size()))) > 0) {
    total += static_cast<std::uint64_t>(got);
    if (sink) sink({buffer.data(), static_cast<std::size_t>(got)});
  }
  // A checksum mismatch shows only at the close, and only for data read to
  // its stated size; data that ends early shows by its size.
  const int closed = unzCloseCurrentFile(archive_);
  return got == 0 && closed == UNZ_OK && total == info.uncompressed_size;
}

}  // namespace talvek
