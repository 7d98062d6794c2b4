// What the folders below an installation folder hold, read with one
// enumeration per folder (every name and its attributes at once) instead of
// a question per path: an installation over thousands of files asks about
// every one of them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/KeepAsidePlan.h"
#include "installer/LinkSafeFiles.h"

namespace talvek {

class FolderListing {
 public:
  explicit FolderListing(FolderRoot install) : install_(std::move(install)) {}

  // What a path below the installation folder holds. A folder the system
  // marks as a link is a link; a link to a file that the system shows as a
  // plain file (Wine does) counts as a file here: the keep-aside tells it
  // apart on the handle it moves the file by, and its removal of a kept
  // folder on the handle it deletes each file by.
  Found look(const std::string& relative);
  // Everything a folder below the installation folder ("" for itself)
  // holds; nothing when it cannot be listed.
  std::optional<std::vector<ListedName>> contents(const std::string& relative);
  // What an installation of `entries` keeps aside, folders held whole by
  // the earlier version moved as one.
  KeepAsidePlan plan(const std::vector<PlannedEntry>& entries);

 private:
  struct Entry {
    std::string name;
    Found found;
  };
  using Names = std::map<std::string, Entry>;  // by upper-cased name

  const Names* namesIn(const std::string& folderRelative);

  FolderRoot install_;
  std::map<std::string, Names> folders_;
  std::set<std::string> unlisted_;
};

}  // namespace talvek
