#include "installer/HeldFolders.h"

#include <windows.h>

#include "installer/GbkPath.h"

namespace talvek {

LinkSafe HeldFolders::hold(const std::string& relative) {
  if (relative.empty() || held_.count(relative)) return LinkSafe::Done;
  if (const LinkSafe above = hold(parentDirectory(relative)); above != LinkSafe::Done) return above;
  // A folder that was there already is checked like one just made: a link
  // may have taken the place of either.
  if (missing_ == Missing::Make && !CreateDirectoryA((root_.path + relative).c_str(), nullptr) &&
      GetLastError() != ERROR_ALREADY_EXISTS) {
    return LinkSafe::Failed;
  }
  Handle handle;
  const LinkSafe outcome = holdFolder(root_, relative, handle);
  if (outcome == LinkSafe::Done) held_.emplace(relative, std::move(handle));
  return outcome;
}

HANDLE HeldFolders::handleOf(const std::string& relative) const {
  if (relative.empty()) return rootHandle_;
  const auto found = held_.find(relative);
  return found == held_.end() ? nullptr : found->second.get();
}

}  // namespace talvek
