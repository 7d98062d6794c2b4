#include "installer/KeepAside.h"

#include <windows.h>

#include "installer/GbkPath.h"
#include "installer/InstallLog.h"
#include "installer/KeepAsideFolder.h"
#include "installer/LinkSafeFiles.h"
#include "installer/PathChecks.h"

namespace talvek {
namespace {

// Enough fresh names for any number of runs cut short in a row.
constexpr int kFolderNameAttempts = 1000;
constexpr char kLinkRefusal[] = " is a link; nothing is written through it";

}  // namespace

bool KeepAside::begin(const std::string& installDir) {
  installDir_ = installDir;
  for (int n = 1; n <= kFolderNameAttempts && !journal_; ++n) {
    const std::string folder = installDir + kFolderPrefix + std::to_string(n) + "\\";
    // A name that exists, a planted link included, is never reused.
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
      if (GetLastError() == ERROR_ALREADY_EXISTS) continue;
      break;
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
    const KeepAsideFolder paths(installDir, folder);
    journal_.reset(CreateFileA(paths.journalPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!journal_ || !CreateDirectoryA(paths.keptPath("").c_str(), nullptr) ||
        !append(std::string(RollbackJournal::kHeader))) {
      journal_.reset();
      RemoveDirectoryA(paths.keptPath("").c_str());
      DeleteFileA(paths.journalPath().c_str());
      RemoveDirectoryA(folder.c_str());
      break;
    }
    folder_ = folder;
    mirror_.emplace(installDir);
  }
  installLog().outcome("keep aside", active(), active() ? folder_ + " and its journal" : installDir + kFolderPrefix + "N",
                       std::nullopt, active() ? 0 : GetLastError());
  return active();
}

bool KeepAside::activeIn(const std::string& installDir) const {
  return active() && samePath(installDir_, installDir);
}

bool KeepAside::beginIn(const std::string& installDir) {
  if (activeIn(installDir)) return true;
  rollBack();
  return begin(installDir);
}

bool KeepAside::append(const std::string& text) {
  DWORD written = 0;
  return journal_ && WriteFile(journal_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

bool KeepAside::keep(const std::string& relative) {
  if (!active()) return false;
  // Asked again while a program lets go of the file: one line is enough.
  if (relative != lastKept_ &&
      (!append(RollbackJournal::formatLine({JournalVerb::Keep, relative})) || !FlushFileBuffers(journal_.get()))) {
    installLog().record("keep aside", "FAILED", "the journal cannot be written", std::nullopt, GetLastError());
    return false;
  }
  lastKept_ = relative;
  const bool moved = moveAside(relative);
  if (moved) installLog().record("keep aside", "ok", installDir_ + relative);
  return moved;
}

bool KeepAside::moveAside(const std::string& relative) {
  const std::string kept = KeepAsideFolder(installDir_, folder_).keptPath(relative);
  const LinkSafe mirrored =
      mirror_ ? mirror_->hold(parentDirectory(kept.substr(installDir_.size()))) : LinkSafe::Failed;
  const LinkSafe move = mirrored == LinkSafe::Done ? moveItself(installDir_, relative, kept) : mirrored;
  const bool moved = move == LinkSafe::Done;
  if (move == LinkSafe::Link) {
    installLog().record("keep aside", "REFUSED",
                        (mirrored == LinkSafe::Link ? kept : installDir_ + relative) + kLinkRefusal);
    // Not worth waiting for: no program lets go of it.
    SetLastError(ERROR_CANT_ACCESS_FILE);
  } else if (!moved) {
    // The caller decides on this error whether to try again.
    const DWORD error = GetLastError();
    installLog().record("keep aside", "FAILED", installDir_ + relative, std::nullopt, error);
    SetLastError(error);
  }
  return moved;
}

void KeepAside::noteArchive(const std::string& relative) {
  append(RollbackJournal::formatLine({JournalVerb::Archive, relative}));
}

bool KeepAside::carryOut(const KeepAsidePlan& plan, const std::function<void()>& working) {
  // A link is neither moved nor deleted nor written through: under Wine
  // either would act on what it points to. The installation stops instead.
  for (const auto& link : plan.links) {
    installLog().record("keep aside", "REFUSED", installDir_ + link + kLinkRefusal);
  }
  if (!plan.links.empty()) return false;
  if (!active()) return true;
  const StepClock clock;
  std::string text;
  for (const auto& line : plan.lines) text += RollbackJournal::formatLine(line);
  // The whole plan is on record before the first path moves or the first
  // byte is extracted; one flush for all of it keeps the cost off every
  // entry. A kept line whose move never happened is recognised on undo by
  // its missing copy.
  if (!append(text) || !FlushFileBuffers(journal_.get())) {
    installLog().record("keep aside", "FAILED", "the journal cannot be written", std::nullopt, GetLastError());
    return false;
  }
  std::size_t kept = 0;
  for (const auto& line : plan.lines) {
    if (line.verb != JournalVerb::Keep) continue;
    if (!moveAside(line.relative)) return false;
    ++kept;
    if (working) working();
  }
  installLog().record("keep aside", "ok", std::to_string(kept) + " paths kept, " +
                                              std::to_string(plan.lines.size() - kept) + " to be made",
                      clock.elapsed());
  return true;
}

void KeepAside::rollBack() {
  if (!active()) return;
  journal_.reset();
  mirror_.reset();
  KeepAsideFolder(installDir_, folder_).undo();
}

void KeepAside::commit() {
  if (!active()) return;
  const StepClock clock;
  // Marked first: removal cut short must never lead a later run to put the
  // old files back over the new ones.
  append(std::string(RollbackJournal::kCommitted));
  FlushFileBuffers(journal_.get());
  journal_.reset();
  mirror_.reset();
  removalFolder_ = folder_;
  removal_.reset(CreateThread(nullptr, 0, &KeepAside::removeKept, this, 0, nullptr));
  // Without a thread the removal costs the installation its own time.
  if (!removal_) KeepAsideFolder(installDir_, removalFolder_).discard();
  installLog().record("commit", "ok", "the kept paths are removed", clock.elapsed());
}

unsigned long __stdcall KeepAside::removeKept(void* self) {
  auto* keepAside = static_cast<KeepAside*>(self);
  KeepAsideFolder(keepAside->installDir_, keepAside->removalFolder_).discard();
  return 0;
}

bool KeepAside::awaitRemoval(unsigned long limitMs) {
  if (!removal_) return true;
  if (WaitForSingleObject(removal_.get(), limitMs) != WAIT_OBJECT_0) {
    installLog().record("remove kept", "left", removalFolder_ + ": the next run removes the rest");
    return false;
  }
  removal_.reset();
  return true;
}

KeepAside::~KeepAside() {
  // The thread reads this object's members; it must be over first.
  if (removal_) WaitForSingleObject(removal_.get(), INFINITE);
}

Found KeepAside::look(const std::string& installDir, const std::string& relative) {
  const std::string path = installDir + relative;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return {FoundKind::Link, 0};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {FoundKind::Directory, 0};
  if (reachedThroughLink(installDir, relative)) return {FoundKind::Link, 0};
  return {FoundKind::File, (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

void KeepAside::recoverIn(const std::string& installDir) {
  if (installDir.empty()) return;
  WIN32_FIND_DATAA found{};
  FindHandle find(FindFirstFileA((installDir + kFolderPrefix + "*").c_str(), &found));
  if (!find) return;
  do {
    const std::string folder = installDir + found.cFileName + "\\";
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      installLog().record("recover", "skipped", folder + " is no plain folder");
      continue;
    }
    installLog().record("recover", "found", folder + ": an earlier installation was cut short");
    KeepAsideFolder(installDir, folder).undo();
  } while (FindNextFileA(find.get(), &found));
}

}  // namespace talvek
