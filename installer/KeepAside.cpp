#include "installer/KeepAside.h"

#include <windows.h>

#include "installer/ProcessToken.h"
#include "installer/InstallLog.h"
#include "installer/NewHeldFolder.h"
#include "installer/PathChecks.h"
#include "installer/PrivateFolderRights.h"

namespace talvek {
namespace {

// Enough fresh names for any number of runs cut short in a row.
constexpr int kFolderNameAttempts = 1000;
constexpr char kLinkRefusal[] = " is a link; nothing is written through it";

}  // namespace

KeepAside::KeepAside(Elevation elevation) : elevation_(elevation), records_(elevation) {}

KeepAside::KeepAside() : KeepAside(currentElevation()) {}

bool KeepAside::begin(const FolderRoot& install, HANDLE installHandle) {
  install_ = install;
  folder_.reset();
  lastKept_.clear();
  DWORD error = 0;
  // Only this account at its level may touch what is kept: the
  // installation folder may let anyone write.
  const FolderRights rights(privateFolderRights(elevation_, currentUserSid()));
  for (int n = 1; n <= kFolderNameAttempts && !folder_; ++n) {
    folder_ = KeepAsideFolder::make(install, installHandle, kFolderPrefix + std::to_string(n), records_, rights.get());
    error = folder_ ? 0 : GetLastError();
    // A name that exists, a planted link included, is never reused.
    if (!folder_ && error != ERROR_ALREADY_EXISTS) break;
  }
  installLog().outcome("keep aside", active(),
                       active() ? folder_->path() + " and its journal" : install.path + kFolderPrefix + "N",
                       std::nullopt, error);
  return active();
}

bool KeepAside::activeIn(const FolderRoot& install) const {
  return active() && samePath(install_.finalPath, install.finalPath);
}

bool KeepAside::beginIn(const FolderRoot& install, HANDLE installHandle) {
  if (activeIn(install)) return true;
  rollBack();
  return begin(install, installHandle);
}

bool KeepAside::keep(const std::string& relative) {
  if (!active()) return false;
  // Asked again while a program lets go of the file: one line is enough.
  if (relative != lastKept_ && !folder_->write({{JournalVerb::Keep, relative}})) {
    installLog().record("keep aside", "FAILED", "the journal cannot be written", std::nullopt, GetLastError());
    return false;
  }
  lastKept_ = relative;
  const bool moved = moveAside(relative);
  if (moved) installLog().record("keep aside", "ok", install_.path + relative);
  return moved;
}

bool KeepAside::moveAside(const std::string& relative) {
  const LinkSafe move = folder_->moveAside(relative);
  if (move == LinkSafe::Link) {
    installLog().record("keep aside", "REFUSED", install_.path + relative + kLinkRefusal);
    // Not worth waiting for: no program lets go of it.
    SetLastError(ERROR_CANT_ACCESS_FILE);
  } else if (move == LinkSafe::Failed) {
    // The caller decides on this error whether to try again.
    const DWORD error = GetLastError();
    installLog().record("keep aside", "FAILED", install_.path + relative, std::nullopt, error);
    SetLastError(error);
  }
  return move == LinkSafe::Done;
}

void KeepAside::noteArchive(const std::string& relative) {
  if (active()) folder_->write({{JournalVerb::Archive, relative}});
}

bool KeepAside::carryOut(const KeepAsidePlan& plan, const std::function<void()>& working) {
  // A link is neither moved nor deleted nor written through: under Wine
  // either would act on what it points to. The installation stops instead.
  for (const auto& link : plan.links) {
    installLog().record("keep aside", "REFUSED", install_.path + link + kLinkRefusal);
  }
  if (!plan.links.empty()) return false;
  if (!active()) return true;
  const StepClock clock;
  // The whole plan is on record before the first path moves or the first
  // byte is extracted; one flush for all of it keeps the cost off every
  // entry. A kept line whose move never happened is recognised on undo by
  // its missing copy.
  if (!folder_->write(plan.lines)) {
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
  installLog().record("keep aside", "ok",
                      std::to_string(kept) + " paths kept, " + std::to_string(plan.lines.size() - kept) + " to be made",
                      clock.elapsed());
  return true;
}

void KeepAside::rollBack() {
  if (!active()) return;
  if (folder_->undo() && folder_->removeKept()) folder_->removeRest();
  folder_.reset();
}

void KeepAside::commit() {
  if (!active()) return;
  const StepClock clock;
  // Marked first: removal cut short must never lead a later run to put the
  // old files back over the new ones.
  folder_->writeCommitted();
  removal_.reset(CreateThread(nullptr, 0, &KeepAside::removeKept, this, 0, nullptr));
  // Without a thread the removal costs the installation its own time.
  if (!removal_) removalComplete_ = folder_->removeKept();
  installLog().record("commit", "ok", "the kept paths are removed", clock.elapsed());
}

unsigned long __stdcall KeepAside::removeKept(void* self) {
  auto* keepAside = static_cast<KeepAside*>(self);
  keepAside->removalComplete_ = keepAside->folder_->removeKept();
  return 0;
}

bool KeepAside::finish(bool archiveGone, unsigned long limitMs) {
  if (!active()) return true;
  if (removal_ && WaitForSingleObject(removal_.get(), limitMs) != WAIT_OBJECT_0) {
    installLog().record("remove kept", "left", folder_->path() + ": the next run removes the rest");
    return false;
  }
  removal_.reset();
  if (!removalComplete_ || !archiveGone) {
    installLog().record("remove kept", "left", folder_->path() + " and its journal: the next run finishes the removal");
    folder_.reset();
    return false;
  }
  const bool removed = folder_->removeRest();
  folder_.reset();
  return removed;
}

KeepAside::~KeepAside() {
  // The thread reads this object's members; it must be over first.
  if (removal_) WaitForSingleObject(removal_.get(), INFINITE);
}

Found KeepAside::look(const FolderRoot& install, const std::string& relative) {
  const std::string path = install.path + relative;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return {FoundKind::Link, 0};
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {FoundKind::Directory, 0};
  if (reachedThroughLink(install, relative)) return {FoundKind::Link, 0};
  return {FoundKind::File, (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

void KeepAside::recoverIn(const FolderRoot& install, HANDLE installHandle) const {
  WIN32_FIND_DATAA found{};
  FindHandle find(FindFirstFileA((install.path + kFolderPrefix + "*").c_str(), &found));
  if (!find) return;
  do {
    // This run's own, begun for this folder by an earlier click, is live.
    if (active() && samePath(folder_->path(), install.path + found.cFileName + "\\")) continue;
    auto folder = KeepAsideFolder::openFound(install, installHandle, found.cFileName, records_);
    if (!folder) continue;
    // A committed run left only its removal and perhaps its archive; any
    // other had its new files half written: they go, the old ones return.
    const bool settled = folder->journal().committed ? folder->removeArchive() : folder->undo();
    if (settled && folder->removeKept()) folder->removeRest();
  } while (FindNextFileA(find.get(), &found));
}

void KeepAside::recoverIn(const std::string& installDir) const {
  if (installDir.empty()) return;
  FolderRoot install;
  Handle held;
  if (holdRoot(installDir, install, held) == LinkSafe::Done) recoverIn(install, held.get());
}

}  // namespace talvek
