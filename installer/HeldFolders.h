// The folders the installer writes into below a folder (the extraction's
// destination, the keep-aside's mirror). Each is made, or found to be a
// plain folder of its own name, once, and held open until this object ends:
// nobody can then rename or remove it, so no link can take its place
// between that check and what is written into it. A folder made for an
// earlier path is held already and costs nothing.
#pragma once

#include <forward_list>
#include <set>
#include <string>
#include <utility>

#include "installer/LinkSafeFiles.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class HeldFolders {
 public:
  // `destDir` ends in a separator.
  explicit HeldFolders(std::string destDir) : destDir_(std::move(destDir)) {}

  // `relative` ('\\'-separated, no trailing separator; "" is the
  // destination itself, which is not held) and every folder above it,
  // made where missing. Link when one of them is a link or reached through
  // one; Failed, with the system's error, when one cannot be made or opened.
  LinkSafe hold(const std::string& relative);

 private:
  std::string destDir_;
  std::set<std::string> held_;
  // Only ever added to: a list costs the program less code than a vector.
  std::forward_list<Handle> handles_;
};

}  // namespace talvek
