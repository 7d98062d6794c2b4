#include "installer/KeptFolderRecords.h"

#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

HKEY rootOf(RecordPlace place) { return place == RecordPlace::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

RegKey openRecords(RecordPlace place, REGSAM access, bool create) {
  RegKey key;
  const LONG opened = create ? RegCreateKeyExA(rootOf(place), KeptFolderRecords::kKey, 0, nullptr, 0, access, nullptr,
                                               key.put(), nullptr)
                             : RegOpenKeyExA(rootOf(place), KeptFolderRecords::kKey, 0, access, key.put());
  if (opened != ERROR_SUCCESS) {
    key.release();
    SetLastError(static_cast<DWORD>(opened));
  }
  return key;
}

}  // namespace

std::optional<FileIdentity> identityOf(HANDLE handle, std::uint32_t* links) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return std::nullopt;
  if (links) *links = info.nNumberOfLinks;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool KeptFolderRecords::write(const std::string& folderFinalPath, const KeptFolderRecord& record) const {
  const auto bytes = record.bytes();
  for (RecordPlace place : recordPlacesToWrite(elevation_)) {
    const RegKey key = openRecords(place, KEY_SET_VALUE, true);
    if (key && RegSetValueExA(key.get(), folderFinalPath.c_str(), 0, REG_BINARY, bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS) {
      // A power loss must not leave kept files that no record vouches for.
      RegFlushKey(key.get());
      return true;
    }
  }
  return false;
}

std::optional<KeptFolderRecord> KeptFolderRecords::find(const std::string& folderFinalPath) const {
  for (RecordPlace place : recordPlacesToTrust(elevation_)) {
    const RegKey key = openRecords(place, KEY_QUERY_VALUE, false);
    std::uint8_t bytes[KeptFolderRecord::kBytes + 1];
    DWORD size = sizeof bytes;
    DWORD type = 0;
    if (key && RegQueryValueExA(key.get(), folderFinalPath.c_str(), nullptr, &type, bytes, &size) == ERROR_SUCCESS &&
        type == REG_BINARY) {
      if (auto record = KeptFolderRecord::parse({bytes, size})) return record;
    }
  }
  return std::nullopt;
}

void KeptFolderRecords::remove(const std::string& folderFinalPath) const {
  for (RecordPlace place : recordPlacesToWrite(elevation_)) {
    if (const RegKey key = openRecords(place, KEY_SET_VALUE, false))
      RegDeleteValueA(key.get(), folderFinalPath.c_str());
  }
}

}  // namespace talvek
