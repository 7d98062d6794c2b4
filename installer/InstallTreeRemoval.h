// Deleting an installation's files without reaching through links. Anyone
// who can write into the installation folder can put a symbolic link or a
// junction there; the uninstaller runs with more rights than they have, so
// it deletes only what lies in the folder itself: each folder is held
// while it is emptied, and each entry is deleted through a handle whose
// whole final path is checked to be where the entry was found.
#pragma once

#include <string>
#include <vector>

#include "installer/LeftBehind.h"
#include "installer/RetryRounds.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class InstallTreeRemoval {
 public:
  // `dir` ends with a backslash. `lastFiles` are names directly in it that
  // go only after everything else; `keepFile` (a full path) never goes: a
  // running uninstaller's own file. Failed deletions are retried in the
  // rounds of `retries`.
  InstallTreeRemoval(std::string dir, std::string keepFile, std::vector<std::string> lastFiles, RetryRounds& retries);

  // Everything below the folder but the last files. An entry that leads
  // somewhere else (a link or junction, or on systems that do not mark
  // links, one that resolves to another place) is never entered; it is
  // removed only where the system can remove the link itself, else it
  // stays, and so does the folder holding it.
  std::vector<LeftBehind> removeAllButLast();

  // Then the last files in order, stopping at the first that stays, and
  // the folder itself unless it holds `keepFile`.
  std::vector<LeftBehind> removeLastAndFolder();

 private:
  struct Pending {
    std::string path;
    std::string finalPath;
    bool folder = false;
    std::uint32_t error = 0;
  };

  bool isSpared(const std::string& path, bool topLevel) const;
  // True when nothing below `dir` was left for good (the pending may go yet).
  bool sweep(const std::string& dir, const std::string& finalDir, bool topLevel);
  // False when the entry stays for good (named in left_); a failed one is
  // pending and may go yet.
  bool removeEntry(const std::string& path, const std::string& finalPath, bool folder);
  // True when the entry is gone, or left for good (in left_).
  bool attempt(Pending& entry);
  void retryPending();

  std::string dir_;
  std::string folder_;  // dir_ without its closing backslash
  std::string keepFile_;
  std::vector<std::string> lastFiles_;
  RetryRounds& retries_;
  Handle held_;
  std::string finalPath_;
  std::vector<Pending> pending_;
  std::vector<LeftBehind> left_;
};

}  // namespace talvek
