// The records of the keep-aside folders this installer made and has not
// finished with, by the folder's final path: in the registry, per machine
// or per user as the installer's elevation says (installer/KeptFolderTrust).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "installer/KeptFolderTrust.h"

namespace talvek {

// The file system's identity of an open file or folder.
std::optional<FileIdentity> identityOf(HANDLE handle, std::uint32_t* links = nullptr);

class KeptFolderRecords {
 public:
  static constexpr char kKey[] = "Software\\TalvekSetup\\KeptFolders";

  explicit KeptFolderRecords(Elevation elevation) : elevation_(elevation) {}

  // Made durable before it returns: the folder's files move only after.
  bool write(const std::string& folderFinalPath, const KeptFolderRecord& record) const;
  std::optional<KeptFolderRecord> find(const std::string& folderFinalPath) const;
  void remove(const std::string& folderFinalPath) const;

 private:
  Elevation elevation_;
};

}  // namespace talvek
