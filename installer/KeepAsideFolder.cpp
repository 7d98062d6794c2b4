#include "installer/KeepAsideFolder.h"

#include <windows.h>

#include <optional>

#include "installer/GbkPath.h"
#include "installer/InstallLog.h"
#include "installer/KeepAside.h"
#include "installer/LinkSafeFiles.h"
#include "installer/PathChecks.h"
#include "installer/RollbackJournal.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {
namespace {

// A journal of a product of many thousands of files stays far below this;
// a bigger file is nothing this installer wrote.
constexpr DWORD kJournalLimitBytes = 16u << 20;

std::optional<std::string> readSmallFile(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kJournalLimitBytes) return std::nullopt;
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!text.empty() && (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr) ||
                        got != text.size())) {
    return std::nullopt;
  }
  return text;
}

bool isLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Through a handle checked not to lead elsewhere: a folder kept whole may
// hold a link to a file that the system shows as a plain file.
bool removeOrScheduleFile(const std::string& installDir, const std::string& relative) {
  const std::string path = installDir + relative;
  const LinkSafe removed = deleteItself(installDir, relative);
  if (removed == LinkSafe::Done) return true;
  if (removed == LinkSafe::Link) {
    installLog().record("remove kept", "left", path + " is a link; left alone");
    return false;
  }
  const DWORD error = GetLastError();
  const bool scheduled = MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  installLog().record("remove kept", scheduled ? "at restart" : "FAILED", path, std::nullopt, error);
  return false;
}

// Depth first, never into a link: a linked folder loses its link, not what
// it points to. `dir` is below the installation folder, ending in a
// separator.
bool removeTree(const std::string& installDir, const std::string& dir) {
  bool complete = true;
  WIN32_FIND_DATAA found{};
  FindHandle find(FindFirstFileExA((installDir + dir + "*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (find) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string relative = dir + name;
      const std::string path = installDir + relative;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        complete = removeOrScheduleFile(installDir, relative) && complete;
      } else if (isLink(found.dwFileAttributes)) {
        complete = (RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str())) && complete;
      } else {
        complete = removeTree(installDir, relative + "\\") && complete;
      }
    } while (FindNextFileA(find.get(), &found));
  }
  const std::string path = installDir + dir;
  if (RemoveDirectoryA(path.c_str())) return complete;
  MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
  return false;
}

}  // namespace

bool KeepAsideFolder::runsThroughLink(const std::string& relative) const {
  for (size_t offset : separatorOffsets(relative)) {
    if (isLink(GetFileAttributesA((installDir_ + relative.substr(0, offset)).c_str()))) return true;
  }
  return false;
}

bool KeepAsideFolder::undoSteps(const std::string& journalText) const {
  const auto journal = RollbackJournal::parse(journalText);
  if (!journal) {
    installLog().record("roll back", "FAILED", journalPath() + " is no journal; nothing is put back");
    return false;
  }
  if (journal->refusedLines) {
    installLog().record("roll back", "note", std::to_string(journal->refusedLines) + " journal lines refused");
  }
  const auto steps = RollbackJournal::undoSteps(*journal, [&](const std::string& relative) {
    return GetFileAttributesA(keptPath(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  bool whole = true;
  int removed = 0;
  for (const auto& step : steps) {
    const std::string target = installDir_ + step.relative;
    if (runsThroughLink(step.relative)) {
      installLog().record("roll back", "FAILED", target + ": a link lies on the way; left alone");
      whole = whole && step.action != UndoAction::PutBack;
      continue;
    }
    const DWORD attributes = GetFileAttributesA(target.c_str());
    switch (step.action) {
      case UndoAction::DeleteMadeFile:
        if (attributes == INVALID_FILE_ATTRIBUTES) break;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
          installLog().record("remove made", "skipped", target + " is a folder the installation did not make");
        } else if (KeepAside::look(installDir_, step.relative).kind == FoundKind::Link) {
          // Deleting it would delete what it points to.
          installLog().record("remove made", "skipped", target + " is a link the installation did not make");
        } else if (SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileA(target.c_str())) {
          ++removed;
        } else {
          installLog().record("remove made", "FAILED", target, std::nullopt, GetLastError());
          whole = false;
        }
        break;
      case UndoAction::RemoveMadeFolder:
        if (attributes == INVALID_FILE_ATTRIBUTES) break;
        // Something of someone else's inside keeps the folder, and then the
        // kept path cannot come back either: the log says which.
        if (isLink(attributes) || !RemoveDirectoryA(target.c_str())) {
          installLog().record("remove made", "FAILED", target, std::nullopt, GetLastError());
        } else {
          ++removed;
        }
        break;
      case UndoAction::PutBack: {
        const bool back = MoveFileExA(keptPath(step.relative).c_str(), target.c_str(), 0);
        installLog().outcome("put back", back, target, std::nullopt, back ? 0 : GetLastError());
        whole = back && whole;
        break;
      }
    }
  }
  installLog().record("roll back", whole ? "ok" : "INCOMPLETE",
                      std::to_string(removed) + " made paths removed in " + installDir_);
  return whole;
}

bool KeepAsideFolder::undo() const {
  if (!pathExists(journalPath())) {
    // Every move is journalled first: without a journal nothing was kept.
    installLog().record("roll back", "note", journalPath() + " is missing; nothing was kept");
  } else if (const auto text = readSmallFile(journalPath()); !text) {
    installLog().record("roll back", "FAILED", journalPath() + " cannot be read; the folder stays", std::nullopt,
                        GetLastError());
    return false;
  } else if (!undoSteps(*text)) {
    return false;
  }
  discard();
  return true;
}

void KeepAsideFolder::discard() const {
  const bool removed = removeTree(installDir_, folder_.substr(installDir_.size()));
  installLog().record("remove kept", removed ? "ok" : "at restart", folder_);
}

}  // namespace talvek
