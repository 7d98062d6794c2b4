#include "installer/HeldFolders.h"

#include <windows.h>

#include "installer/GbkPath.h"

namespace talvek {

LinkSafe HeldFolders::hold(const std::string& relative) {
  if (relative.empty() || held_.count(relative)) return LinkSafe::Done;
  if (const LinkSafe above = hold(parentDirectory(relative)); above != LinkSafe::Done) return above;
  // A folder that was there already is checked like one just made: a link
  // may have taken the place of either.
  if (!CreateDirectoryA((destDir_ + relative).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    return LinkSafe::Failed;
  }
  Handle handle;
  const LinkSafe outcome = holdFolder(destDir_, relative, handle);
  if (outcome == LinkSafe::Done) {
    held_.insert(relative);
    handles_.push_front(std::move(handle));
  }
  return outcome;
}

}  // namespace talvek
