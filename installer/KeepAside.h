// Keeps what an installation replaces until the new files are complete, so
// a failed or cut-short installation changes nothing. The kept paths move
// (a rename on the same volume) into a folder ".talvek-kept-N\" inside the
// installation folder, mirroring their places under "files\"; beside them a
// journal, written ahead of every change, says what to put back.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "installer/HeldFolders.h"
#include "installer/KeepAsidePlan.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class KeepAside {
 public:
  static constexpr char kFolderPrefix[] = ".talvek-kept-";

  // Creates a keep-aside folder of a fresh name and its journal inside
  // `installDir` (ending in a separator). False when that is impossible;
  // the installation then goes on as it always did, without a way back.
  bool begin(const std::string& installDir);
  bool active() const { return static_cast<bool>(journal_); }
  bool activeIn(const std::string& installDir) const;
  // Whatever is kept for another folder goes back first: a keep-aside
  // begun for a folder the user then gave up on must not act on the next.
  bool beginIn(const std::string& installDir);

  // Journals one path below the installation folder durably, then moves it
  // aside. False when it cannot be moved (the journal line is then harmless:
  // no kept copy means nothing to put back).
  bool keep(const std::string& relative);
  // The archive the installation writes, removed again by a roll-back.
  void noteArchive(const std::string& relative);
  // Journals the whole plan, makes it durable, then moves the kept paths,
  // calling `working` after each (a large old installation takes a while).
  // False on the first path that cannot be moved.
  bool carryOut(const KeepAsidePlan& plan, const std::function<void()>& working = {});

  // The installation failed: removes what it made, puts the kept paths back.
  void rollBack();
  // The installation succeeded: marks the journal committed, then removes
  // the kept paths on a thread of their own, so the removal overlaps what
  // the installation does next; one in use is removed at the next restart.
  void commit();
  // Waits at most `limitMs` for that removal. What is left when the
  // installer ends is removed by the next run, as the journal says.
  bool awaitRemoval(unsigned long limitMs);
  ~KeepAside();

  // What a path below the installation folder holds now, a link told apart
  // from what it points to where the system shows it.
  static Found look(const std::string& installDir, const std::string& relative);

  // A keep-aside folder of an earlier run in `installDir` means that run was
  // cut short before it committed: undo it. Each step goes into the log.
  static void recoverIn(const std::string& installDir);

 private:
  static unsigned long __stdcall removeKept(void* self);
  bool append(const std::string& text);
  bool moveAside(const std::string& relative);

  std::string installDir_;
  std::string folder_;
  std::string lastKept_;
  // The keep-aside folder and its mirror folders, made once each and held
  // until the commit or roll-back: a link put in the place of one would
  // carry the kept paths wherever it points.
  std::optional<HeldFolders> mirror_;
  Handle journal_;
  Handle removal_;
  std::string removalFolder_;
};

}  // namespace talvek
