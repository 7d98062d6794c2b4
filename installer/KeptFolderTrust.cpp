#include "installer/KeptFolderTrust.h"

namespace talvek {
namespace {

constexpr std::uint32_t kRecordVersion = 1;

void put(std::uint8_t* at, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t get(const std::uint8_t* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
  return value;
}

}  // namespace

std::array<std::uint8_t, KeptFolderRecord::kBytes> KeptFolderRecord::bytes() const {
  std::array<std::uint8_t, kBytes> out{};
  put(&out[0], kRecordVersion, 4);
  put(&out[4], folder.volume, 4);
  put(&out[8], folder.index, 8);
  put(&out[16], journal.index, 8);
  return out;
}

std::optional<KeptFolderRecord> KeptFolderRecord::parse(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kBytes || get(&bytes[0], 4) != kRecordVersion) return std::nullopt;
  const auto volume = static_cast<std::uint32_t>(get(&bytes[4], 4));
  return KeptFolderRecord{{volume, get(&bytes[8], 8)}, {volume, get(&bytes[16], 8)}};
}

KeptFolderTrust judgeKeptFolder(const std::optional<KeptFolderRecord>& recorded, const FoundKeptFolder& found) {
  if (!recorded) return KeptFolderTrust::NotRecorded;
  if (!(recorded->folder == found.folder)) return KeptFolderTrust::OtherFolder;
  if (!found.journal) return KeptFolderTrust::Trusted;
  if (!(recorded->journal == *found.journal)) return KeptFolderTrust::OtherJournal;
  if (found.journalLinks != 1) return KeptFolderTrust::LinkedJournal;
  return KeptFolderTrust::Trusted;
}

std::string_view describeTrust(KeptFolderTrust trust) {
  switch (trust) {
    case KeptFolderTrust::Trusted: return "made by this installer";
    case KeptFolderTrust::NotRecorded: return "no record says this installer made it";
    case KeptFolderTrust::OtherFolder: return "it is not the folder this installer made there";
    case KeptFolderTrust::OtherJournal: return "its journal is not the one this installer wrote";
    case KeptFolderTrust::LinkedJournal: return "its journal is also linked elsewhere";
  }
  return {};
}

std::vector<RecordPlace> recordPlacesToWrite(Elevation elevation) {
  switch (elevation) {
    case Elevation::Elevated: return {RecordPlace::Machine};
    case Elevation::NotElevated: return {RecordPlace::User};
    case Elevation::Unknown: return {RecordPlace::Machine, RecordPlace::User};
  }
  return {};
}

std::vector<RecordPlace> recordPlacesToTrust(Elevation elevation) {
  if (elevation == Elevation::Elevated) return {RecordPlace::Machine};
  return {RecordPlace::Machine, RecordPlace::User};
}

}  // namespace talvek
