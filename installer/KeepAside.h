// Keeps what an installation replaces until the new files are complete, so
// a failed or cut-short installation changes nothing. The kept paths move
// (a rename on the same volume) into a folder ".talvek-kept-N\" inside the
// installation folder, mirroring their places under "files\"; beside them a
// journal, written ahead of every change, says what to put back. Only a
// folder this installer recorded as its own is ever acted on by a later run.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "installer/KeepAsideFolder.h"
#include "installer/KeepAsidePlan.h"
#include "installer/KeptFolderRecords.h"
#include "installer/LinkSafeFiles.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class KeepAside {
 public:
  static constexpr char kFolderPrefix[] = ".talvek-kept-";

  // Records go where this installer's elevation says (KeptFolderTrust).
  explicit KeepAside(Elevation elevation);
  KeepAside();

  // Creates a keep-aside folder of a fresh name and its journal inside the
  // installation folder, held by `installHandle` while this lasts. False
  // when that is impossible; the installation then goes on as it always
  // did, without a way back.
  bool begin(const FolderRoot& install, HANDLE installHandle);
  bool active() const { return folder_.has_value(); }
  bool activeIn(const FolderRoot& install) const;
  // Whatever is kept for another folder goes back first: a keep-aside
  // begun for a folder the user then gave up on must not act on the next.
  bool beginIn(const FolderRoot& install, HANDLE installHandle);

  // Journals one path below the installation folder durably, then moves it
  // aside. False when it cannot be moved (the journal line is then harmless:
  // no kept copy means nothing to put back).
  bool keep(const std::string& relative);
  // The archive the installation writes, removed again by a roll-back, or
  // by the next run when this one ends before it is deleted.
  void noteArchive(const std::string& relative);
  // Journals the whole plan, makes it durable, then moves the kept paths,
  // calling `working` after each (a large old installation takes a while).
  // False on the first path that cannot be moved.
  bool carryOut(const KeepAsidePlan& plan, const std::function<void()>& working = {});

  // The installation failed: removes what it made, puts the kept paths
  // back, from the journal as this run wrote it.
  void rollBack();
  // The installation succeeded: marks the journal committed, then removes
  // the kept paths on a thread of their own, so the removal overlaps what
  // the installation does next.
  void commit();
  // Once the archive is gone (`archiveGone`), waits at most `limitMs` for
  // that removal, then removes the journal and its folder. Whatever is
  // left then (in use, or the archive) the next run removes, as the
  // journal says.
  bool finish(bool archiveGone, unsigned long limitMs);
  ~KeepAside();

  // What a path below the installation folder holds now, a link told apart
  // from what it points to where the system shows it.
  static Found look(const FolderRoot& install, const std::string& relative);

  // A keep-aside folder of an earlier run in the installation folder means
  // that run was cut short: undo it, or finish its removal. Only folders
  // this installer recorded are touched. Each step goes into the log.
  void recoverIn(const FolderRoot& install, HANDLE installHandle) const;
  // The same for a folder not held yet; it is held while this runs.
  void recoverIn(const std::string& installDir) const;

 private:
  static unsigned long __stdcall removeKept(void* self);
  bool moveAside(const std::string& relative);

  Elevation elevation_;
  KeptFolderRecords records_;
  std::optional<KeepAsideFolder> folder_;
  FolderRoot install_;
  std::string lastKept_;
  Handle removal_;
  bool removalComplete_ = false;
};

}  // namespace talvek
