// What an installation over a folder replaces, decided before anything is
// written: every path an archive entry lands on that holds something else
// than a plain folder (a file, a folder where a file goes) is kept aside,
// everything else is made; a link there is listed, never planned through. It also gives the figures the free-space
// check needs.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "installer/RollbackJournal.h"

namespace talvek {

struct PlannedEntry {
  std::string relative;  // '\\'-separated, no trailing separator
  bool directory = false;
  std::uint64_t size = 0;
};

enum class FoundKind { Nothing, File, Directory, Link };

struct Found {
  FoundKind kind = FoundKind::Nothing;
  std::uint64_t size = 0;
};

struct KeepAsidePlan {
  std::vector<JournalLine> lines;  // in the order they are carried out
  std::vector<std::uint64_t> replacedFileSizes;
  std::vector<std::string> links;  // links where entries go: never acted on
};

struct ListedName {
  std::string name;
  Found found;
};

// What a folder (relative, as `look` takes it) holds; nothing when it
// cannot be listed.
using FolderContents = std::function<std::optional<std::vector<ListedName>>(const std::string& relative)>;

// `look` tells what a relative path holds now. Paths below one that is
// made or kept aside are not looked at: they cannot exist any more. Entries
// must come parents first, as the archive lists them; a parent an archive
// does not list is planned as made when missing.
KeepAsidePlan planKeepAside(const std::vector<PlannedEntry>& entries,
                            const std::function<Found(const std::string& relative)>& look);

// The same, and a folder the archive names that holds nothing else than
// files and folders the archive names (the earlier version of a product
// folder) is kept aside whole and made anew: one move instead of one per
// file. A folder with anything else inside, a link included, is planned
// path by path.
KeepAsidePlan planKeepAside(const std::vector<PlannedEntry>& entries,
                            const std::function<Found(const std::string& relative)>& look,
                            const FolderContents& contents);

}  // namespace talvek
