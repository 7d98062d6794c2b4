#include "installer/KeepAsideFolder.h"

#include <windows.h>

#include "installer/GbkPath.h"
#include "installer/InstallLog.h"
#include "installer/NewHeldFolder.h"
#include "toolkit/core/CodePage.h"

namespace talvek {
namespace {

// A journal of a product of many thousands of files stays far below this;
// a bigger file is nothing this installer wrote.
constexpr DWORD kJournalLimitBytes = 16u << 20;
constexpr char kLinkOnTheWay[] = ": a link lies on the way; left alone";

std::optional<std::string> readWhole(HANDLE file) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size) || size.QuadPart > kJournalLimitBytes) return std::nullopt;
  std::string text(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!text.empty() &&
      (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) || got != text.size())) {
    return std::nullopt;
  }
  return text;
}

bool hide(HANDLE folder) {
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_HIDDEN;
  return SetFileInformationByHandle(folder, FileBasicInfo, &basic, sizeof basic);
}

std::string mirrored(const std::string& relative) { return std::string(KeepAsideFolder::kFilesName) + "\\" + relative; }

// The mirror folder a kept path goes into.
std::string mirrorFolderOf(const std::string& relative) {
  const std::string parent = parentDirectory(relative);
  return parent.empty() ? std::string(KeepAsideFolder::kFilesName) : mirrored(parent);
}

}  // namespace

KeepAsideFolder::KeepAsideFolder(const FolderRoot& install, HANDLE installHandle, const KeptFolderRecords& records)
    : install_(install), records_(&records) {
  HANDLE own = nullptr;
  if (DuplicateHandle(GetCurrentProcess(), installHandle, GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    installHandle_.reset(own);
  }
}

std::optional<KeepAsideFolder> KeepAsideFolder::make(const FolderRoot& install, HANDLE installHandle,
                                                     const std::string& name, const KeptFolderRecords& records,
                                                     PSECURITY_DESCRIPTOR rights) {
  const std::string path = install.path + name + "\\";
  KeepAsideFolder made(install, installHandle, records);
  if (!made.installHandle_) return std::nullopt;
  // Made and held in one call, so no other folder can take its place; a
  // name that exists, a planted link included, fails.
  made.folder_ = makeHeldFolder(toWide(install.path + name), rights, DELETE | FILE_WRITE_ATTRIBUTES);
  if (!made.folder_) return std::nullopt;
  if (!isAt(made.folder_.get(), install, name)) {
    // Made through a link on the way: removed again, through its handle.
    deleteHeld(made.folder_.get());
    made.folder_.reset();
    SetLastError(ERROR_ACCESS_DENIED);
    return std::nullopt;
  }
  made.self_ = {path, withTrailingSeparator(finalPathOf(made.folder_.get()))};
  hide(made.folder_.get());
  made.journalFile_.reset(CreateFileA((path + kJournalName).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  made.mirror_.emplace(made.self_, made.folder_.get());
  const auto folderId = identityOf(made.folder_.get());
  const auto journalId = made.journalFile_ ? identityOf(made.journalFile_.get()) : std::nullopt;
  const bool ready = made.journalFile_ && isAt(made.journalFile_.get(), made.self_, kJournalName) &&
                     made.mirror_->hold(kFilesName) == LinkSafe::Done && folderId && journalId &&
                     records.write(made.self_.finalPath, {*folderId, *journalId}) &&
                     made.append(std::string(RollbackJournal::kHeader));
  if (ready) return made;
  const DWORD error = GetLastError();
  made.mirror_.reset();
  made.removeTree(kFilesName);
  made.removeRest();
  // Only a name taken before it was tried sends the caller to the next one.
  SetLastError(error && error != ERROR_ALREADY_EXISTS ? error : ERROR_GEN_FAILURE);
  return std::nullopt;
}

std::optional<KeepAsideFolder> KeepAsideFolder::openFound(const FolderRoot& install, HANDLE installHandle,
                                                          const std::string& name, const KeptFolderRecords& records) {
  const std::string path = install.path + name + "\\";
  KeepAsideFolder found(install, installHandle, records);
  if (!found.installHandle_ || holdFolder(install, name, found.folder_, DELETE) != LinkSafe::Done) {
    installLog().record("recover", "skipped", path + " is no plain folder");
    return std::nullopt;
  }
  found.self_ = {path, withTrailingSeparator(finalPathOf(found.folder_.get()))};
  FoundKeptFolder seen;
  seen.folder = identityOf(found.folder_.get()).value_or(FileIdentity{});
  found.journalFile_.reset(CreateFileA((path + kJournalName).c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  const DWORD journalError = found.journalFile_ ? 0 : GetLastError();
  if (found.journalFile_) {
    // Where it lies is part of what it is: a link there is nothing of ours.
    seen.journal = isAt(found.journalFile_.get(), found.self_, kJournalName)
                       ? identityOf(found.journalFile_.get(), &seen.journalLinks).value_or(FileIdentity{})
                       : FileIdentity{};
  } else if (journalError != ERROR_FILE_NOT_FOUND) {
    installLog().record("recover", "FAILED", path + kJournalName + " cannot be opened; the folder stays", std::nullopt,
                        journalError);
    return std::nullopt;
  }
  const KeptFolderTrust trust = judgeKeptFolder(records.find(found.self_.finalPath), seen);
  if (trust != KeptFolderTrust::Trusted) {
    installLog().record("recover", "left alone", path + ": " + std::string(describeTrust(trust)));
    return std::nullopt;
  }
  installLog().record("recover", "found", path + ": an earlier installation was cut short");
  if (!found.journalFile_) {
    // Every move is journalled first: without a journal nothing was kept.
    installLog().record("roll back", "note", path + kJournalName + " is missing; nothing was kept");
    found.journal_.committed = true;
    return found;
  }
  const auto text = readWhole(found.journalFile_.get());
  auto parsed = text ? RollbackJournal::parse(*text) : std::nullopt;
  if (!parsed) {
    installLog().record("roll back", "FAILED", path + kJournalName + " is no journal; nothing is put back");
    return std::nullopt;
  }
  found.journal_ = std::move(*parsed);
  return found;
}

bool KeepAsideFolder::append(const std::string& text) {
  DWORD written = 0;
  return journalFile_ &&
         WriteFile(journalFile_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size() && FlushFileBuffers(journalFile_.get());
}

bool KeepAsideFolder::write(const std::vector<JournalLine>& lines) {
  std::string text;
  for (const auto& line : lines) text += RollbackJournal::formatLine(line);
  // Only what is on record is undone; a line that did not reach the disk
  // was never acted on either.
  if (!append(text)) return false;
  journal_.lines.insert(journal_.lines.end(), lines.begin(), lines.end());
  return true;
}

bool KeepAsideFolder::writeCommitted() {
  journal_.committed = append(std::string(RollbackJournal::kCommitted));
  return journal_.committed;
}

LinkSafe KeepAsideFolder::moveAside(const std::string& relative) {
  const std::string into = mirrorFolderOf(relative);
  const LinkSafe held = mirror_ ? mirror_->hold(into) : LinkSafe::Failed;
  if (held != LinkSafe::Done) return held;
  return moveItself(install_, relative, mirror_->handleOf(into), std::string(fileNamePart(relative)));
}

bool KeepAsideFolder::keptCopyExists(const std::string& relative) const {
  return GetFileAttributesA((self_.path + mirrored(relative)).c_str()) != INVALID_FILE_ATTRIBUTES;
}

KeepAsideFolder::Undone KeepAsideFolder::deleteMadeFile(const std::string& relative) {
  const std::string target = install_.path + relative;
  const DWORD attributes = GetFileAttributesA(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Undone::Nothing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    installLog().record("remove made", "skipped", target + " is a folder the installation did not make");
    return Undone::Nothing;
  }
  switch (deleteItself(install_, relative)) {
    case LinkSafe::Done: return Undone::Done;
    case LinkSafe::Link:
      // Deleting it would delete what it points to.
      installLog().record("remove made", "skipped", target + " is a link the installation did not make");
      return Undone::Nothing;
    case LinkSafe::Failed: break;
  }
  installLog().record("remove made", "FAILED", target, std::nullopt, GetLastError());
  return Undone::Failed;
}

bool KeepAsideFolder::removeMadeFolder(const std::string& relative) {
  const std::string target = install_.path + relative;
  if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  // Something of someone else's inside keeps the folder, and then the kept
  // path cannot come back either: the log says which.
  Handle folder;
  if (holdFolder(install_, relative, folder, DELETE) == LinkSafe::Done && deleteHeld(folder.get())) return true;
  installLog().record("remove made", "FAILED", target, std::nullopt, GetLastError());
  return false;
}

bool KeepAsideFolder::putBack(const std::string& relative, HeldFolders& places) {
  const std::string target = install_.path + relative;
  const std::string parent = parentDirectory(relative);
  LinkSafe moved = places.hold(parent);
  if (moved == LinkSafe::Done) {
    moved = moveItself(self_, mirrored(relative), places.handleOf(parent), std::string(fileNamePart(relative)));
  }
  const DWORD error = moved == LinkSafe::Done ? 0 : GetLastError();
  if (moved == LinkSafe::Link) installLog().record("roll back", "FAILED", target + kLinkOnTheWay);
  installLog().outcome("put back", moved == LinkSafe::Done, target, std::nullopt, error);
  return moved == LinkSafe::Done;
}

bool KeepAsideFolder::undo() {
  if (journal_.refusedLines) {
    installLog().record("roll back", "note", std::to_string(journal_.refusedLines) + " journal lines refused");
  }
  const auto steps =
      RollbackJournal::undoSteps(journal_, [this](const std::string& relative) { return keptCopyExists(relative); });
  // The kept side is checked where it lies as each path leaves it; the
  // places it goes back to are held, and made only by the installation.
  mirror_.reset();
  HeldFolders places(install_, installHandle_.get(), HeldFolders::Missing::Fail);
  bool whole = true;
  int removed = 0;
  for (const auto& step : steps) {
    switch (step.action) {
      case UndoAction::DeleteMadeFile: {
        // What cannot be deleted now keeps the journal for the next run.
        const Undone undone = deleteMadeFile(step.relative);
        removed += undone == Undone::Done;
        whole = undone != Undone::Failed && whole;
        break;
      }
      case UndoAction::RemoveMadeFolder: removed += removeMadeFolder(step.relative); break;
      case UndoAction::PutBack: whole = putBack(step.relative, places) && whole; break;
    }
  }
  installLog().record("roll back", whole ? "ok" : "INCOMPLETE",
                      std::to_string(removed) + " made paths removed in " + install_.path);
  return whole;
}

bool KeepAsideFolder::removeArchive() {
  bool gone = true;
  for (const auto& line : journal_.lines) {
    if (line.verb != JournalVerb::Archive || !journal_.committed) continue;
    const std::string path = install_.path + line.relative;
    const LinkSafe removed = deleteItself(install_, line.relative);
    const DWORD error = removed == LinkSafe::Done ? 0 : GetLastError();
    if (removed == LinkSafe::Done || error == ERROR_FILE_NOT_FOUND) {
      if (removed == LinkSafe::Done) installLog().record("delete archive", "ok", path + ", left by a run cut short");
      continue;
    }
    installLog().record("delete archive", removed == LinkSafe::Link ? "skipped" : "FAILED",
                        path + (removed == LinkSafe::Link ? " is a link; left alone" : ""), std::nullopt, error);
    gone = gone && removed == LinkSafe::Link;
  }
  return gone;
}

// Depth first, never into a link: a linked folder loses its link, not what
// it points to. `relative` is below this folder; nothing is left to be
// deleted at a restart by name, where anything could stand by then.
bool KeepAsideFolder::removeTree(const std::string& relative) {
  bool complete = true;
  WIN32_FIND_DATAA found{};
  FindHandle find(FindFirstFileExA((self_.path + relative + "\\*").c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (find) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = relative + "\\" + name;
      const std::string path = self_.path + child;
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const LinkSafe removed = deleteItself(self_, child);
        if (removed != LinkSafe::Done) {
          installLog().record(
              "remove kept", "left",
              path + (removed == LinkSafe::Link ? " is a link; left alone" : ": the next run removes it"), std::nullopt,
              removed == LinkSafe::Link ? 0 : GetLastError());
          complete = false;
        }
      } else if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        complete = (RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str())) && complete;
      } else {
        complete = removeTree(child) && complete;
      }
    } while (FindNextFileA(find.get(), &found));
  }
  Handle folder;
  const LinkSafe held = holdFolder(self_, relative, folder, DELETE);
  if (held == LinkSafe::Done) return deleteHeld(folder.get()) && complete;
  const DWORD error = GetLastError();
  return held == LinkSafe::Failed && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) && complete;
}

bool KeepAsideFolder::removeKept() {
  mirror_.reset();
  const bool removed = removeTree(kFilesName);
  installLog().record("remove kept", removed ? "ok" : "left",
                      self_.path + (removed ? "" : ": the next run removes the rest"));
  return removed;
}

bool KeepAsideFolder::removeRest() {
  // The journal goes last but for its folder: while anything it names is
  // left, the next run needs it.
  if (journalFile_ && !deleteHeld(journalFile_.get())) {
    installLog().record("remove kept", "left", self_.path + kJournalName, std::nullopt, GetLastError());
    return false;
  }
  journalFile_.reset();
  if (!folder_ || !deleteHeld(folder_.get())) {
    installLog().record("remove kept", "left", self_.path + ": the next run removes it", std::nullopt, GetLastError());
    return false;
  }
  folder_.reset();
  records_->remove(self_.finalPath);
  return true;
}

}  // namespace talvek
