// Whether a keep-aside folder found in an installation folder is one this
// installer made. The installation folder may be writable by others, who
// could plant a folder of that name whose journal asks for any file to be
// moved in: a folder is trusted only when its identity, and its journal's,
// match what the installer recorded where only the installing account at
// its level can write.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "installer/LaunchRoute.h"

namespace talvek {

// A file or folder as the file system knows it, whatever its name.
struct FileIdentity {
  std::uint32_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
};

struct KeptFolderRecord {
  static constexpr std::size_t kBytes = 24;
  FileIdentity folder;
  FileIdentity journal;  // on the folder's volume

  std::array<std::uint8_t, kBytes> bytes() const;
  // Nothing unless exactly a record of this form.
  static std::optional<KeptFolderRecord> parse(std::span<const std::uint8_t> bytes);
  bool operator==(const KeptFolderRecord&) const = default;
};

// What was found: the folder, and its journal when there is one.
struct FoundKeptFolder {
  FileIdentity folder;
  std::optional<FileIdentity> journal;
  std::uint32_t journalLinks = 1;
};

enum class KeptFolderTrust {
  Trusted,
  NotRecorded,    // no record: not made by this installer, or by another account
  OtherFolder,    // a folder of that name, but not the one recorded
  OtherJournal,   // the folder is ours, its journal is not
  LinkedJournal,  // the journal is also known by another name
};

// A trusted folder may lack its journal: its removal got that far.
KeptFolderTrust judgeKeptFolder(const std::optional<KeptFolderRecord>& recorded, const FoundKeptFolder& found);

// For the install log: why a folder is left alone.
std::string_view describeTrust(KeptFolderTrust trust);

// Per machine, only administrators write the record; per user, the user,
// also unelevated.
enum class RecordPlace { Machine, User };

// Where an installer at `elevation` records the folders it makes, in the
// order tried: per machine when it is (or may be) elevated, so that the
// same account unelevated cannot forge one.
std::vector<RecordPlace> recordPlacesToWrite(Elevation elevation);
// Where records it may trust are read: what the user alone can write is
// no proof to an elevated installer.
std::vector<RecordPlace> recordPlacesToTrust(Elevation elevation);

}  // namespace talvek
