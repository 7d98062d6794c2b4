// The entries of a ZIP archive in memory as the installation lays them out:
// each name decoded into the system code page (a name flagged as UTF-8
// through `decodeUtf8`, any other taken as it is) and put through the
// entry-name rule, with what the installation needs to know of its data.
// Pure, so the build's check of a publisher's archive and the installer
// read archives with the same code.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace talvek {

struct ArchiveEntry {
  std::string rawName;                  // as stored
  bool utf8Flag = false;                // the name says it is UTF-8
  std::optional<std::string> name;      // in the system code page; nothing without a spelling there
  std::optional<std::string> relative;  // '\\'-separated below the destination; nothing when refused
  bool directory = false;
  unsigned method = 0;  // 0 stored, 8 deflated
  bool encrypted = false;
  std::uint64_t compressedSize = 0;
  std::uint64_t size = 0;
};

// UTF-8 text in the system code page; nothing when a character has none.
using Utf8ToSystem = std::function<std::optional<std::string>(std::string_view utf8)>;

class ArchiveReader {
 public:
  static constexpr unsigned kStored = 0;
  static constexpr unsigned kDeflated = 8;

  // The bytes must outlive the reader.
  ArchiveReader(std::span<const std::uint8_t> archive, Utf8ToSystem decodeUtf8);
  ~ArchiveReader();
  ArchiveReader(const ArchiveReader&) = delete;
  ArchiveReader& operator=(const ArchiveReader&) = delete;

  // False when the bytes are no archive whose central directory can be read.
  bool isOpen() const { return archive_ != nullptr; }
  // Calls `visit` for each entry in the central directory's order until it
  // returns false. False when the walk breaks before the directory's end.
  bool forEach(const std::function<bool(const ArchiveEntry& entry)>& visit);
  // Inflates the entry `forEach` is at, handing each slice to `sink`; false
  // when its data does not come out at its stated size and checksum.
  bool readCurrent(const std::function<void(std::span<const std::uint8_t> slice)>& sink);

 private:
  struct Io;
  Io* io_;
  void* archive_;
  Utf8ToSystem decodeUtf8_;
};

}  // namespace talvek
