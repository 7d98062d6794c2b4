#include "installer/InstallTreeRemoval.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "installer/GbkPath.h"
#include "installer/LinkSafeFiles.h"
#include "installer/PathChecks.h"

namespace talvek {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Only through a handle on the link itself, never on what it points to; a
// system that opens the target instead (Wine) keeps the link.
bool removeLinkItself(const std::string& path) {
  Handle link(CreateFileA(path.c_str(), DELETE | FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION opened{};
  if (!link || !GetFileInformationByHandle(link.get(), &opened)) return false;
  if (!(opened.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(link.get(), FileDispositionInfo, &disposition, sizeof disposition);
}

bool isGone(std::uint32_t error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

}  // namespace

InstallTreeRemoval::InstallTreeRemoval(std::string dir, std::string keepFile, std::vector<std::string> lastFiles,
                                       RetryRounds& retries)
    : dir_(std::move(dir)),
      folder_(dir_.substr(0, dir_.size() - 1)),
      keepFile_(std::move(keepFile)),
      lastFiles_(std::move(lastFiles)),
      retries_(retries) {}

std::vector<LeftBehind> InstallTreeRemoval::removeAllButLast() {
  const LinkSafe held = holdFolderAt(folder_, {}, held_);
  if (held == LinkSafe::Link) return {{folder_, 0, true}};
  if (held == LinkSafe::Failed || (finalPath_ = finalPathOf(held_.get())).empty()) {
    const std::uint32_t error = GetLastError();
    held_.reset();
    return {{folder_, error}};
  }
  sweep(dir_, finalPath_, true);
  retryPending();
  return std::exchange(left_, {});
}

std::vector<LeftBehind> InstallTreeRemoval::removeLastAndFolder() {
  if (!held_) return {};
  for (const std::string& name : lastFiles_) {
    const std::string path = dir_ + name;
    if (samePath(path, keepFile_)) continue;
    removeEntry(path, finalPath_ + "\\" + name, false);
    retryPending();
    if (!left_.empty()) return std::exchange(left_, {});
  }
  if (!keepFile_.empty() && samePath(parentDirectory(keepFile_), folder_)) return {};
  held_.reset();
  removeEntry(folder_, finalPath_, true);
  retryPending();
  return std::exchange(left_, {});
}

bool InstallTreeRemoval::isSpared(const std::string& path, bool topLevel) const {
  if (!keepFile_.empty() && samePath(path, keepFile_)) return true;
  const std::string name(fileNamePart(path));
  return topLevel && std::any_of(lastFiles_.begin(), lastFiles_.end(),
                                 [&](const std::string& last) { return samePath(name, last); });
}

bool InstallTreeRemoval::sweep(const std::string& dir, const std::string& finalDir, bool topLevel) {
  WIN32_FIND_DATAA entry;
  FindHandle search(FindFirstFileA((dir + "*").c_str(), &entry));
  if (!search) {
    left_.push_back({dir.substr(0, dir.size() - 1), static_cast<std::uint32_t>(GetLastError())});
    return false;
  }
  bool whole = true;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = dir + name;
    const std::string finalPath = finalDir + "\\" + name;
    if (isSpared(path, topLevel)) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      if (!removeLinkItself(path)) {
        left_.push_back({path, 0, true});
        whole = false;
      }
    } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      Handle folder;
      const LinkSafe held = holdFolderAt(path, finalPath, folder);
      if (held != LinkSafe::Done) {
        left_.push_back(
            {path, held == LinkSafe::Link ? 0 : static_cast<std::uint32_t>(GetLastError()), held == LinkSafe::Link});
        whole = false;
        continue;
      }
      // Whatever stays inside is named; the folder staying with it is not.
      const bool emptied = sweep(path + "\\", finalPath, false);
      folder.reset();
      whole = emptied && removeEntry(path, finalPath, true) && whole;
    } else {
      whole = removeEntry(path, finalPath, false) && whole;
    }
  } while (FindNextFileA(search.get(), &entry));
  return whole;
}

bool InstallTreeRemoval::removeEntry(const std::string& path, const std::string& finalPath, bool folder) {
  const std::size_t leftBefore = left_.size();
  Pending entry{path, finalPath, folder};
  if (!attempt(entry)) pending_.push_back(std::move(entry));
  return left_.size() == leftBefore;
}

bool InstallTreeRemoval::attempt(Pending& entry) {
  const LinkSafe outcome =
      entry.folder ? deleteFolderAt(entry.path, entry.finalPath) : deleteFileAt(entry.path, entry.finalPath);
  if (outcome == LinkSafe::Done) return true;
  if (outcome == LinkSafe::Link) {
    left_.push_back({entry.path, 0, true});
    return true;
  }
  entry.error = GetLastError();
  return isGone(entry.error);
}

void InstallTreeRemoval::retryPending() {
  retries_.retry(pending_, [this](Pending& entry) { return attempt(entry); });
  // A folder that is not empty because a file in it stayed is named by
  // that file.
  const bool othersLeft = !left_.empty() || std::any_of(pending_.begin(), pending_.end(), [](const Pending& entry) {
    return !entry.folder || entry.error != ERROR_DIR_NOT_EMPTY;
  });
  for (const Pending& entry : pending_) {
    if (!(othersLeft && entry.folder && entry.error == ERROR_DIR_NOT_EMPTY)) left_.push_back({entry.path, entry.error});
  }
  pending_.clear();
}

}  // namespace talvek
