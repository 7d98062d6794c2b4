// One keep-aside folder on disk: made by this run, or left by a run cut
// short and trusted only when a record says this installer made it
// (installer/KeptFolderTrust). Its journal, its mirror of kept paths under
// "files\", undoing it and removing it, all through handles it holds: the
// folder and its journal stay open from making or finding until removal,
// the journal is read once and kept in memory, every path it names is
// checked where it lies before it is moved or deleted, and every move
// names its target through a held folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "installer/HeldFolders.h"
#include "installer/KeptFolderRecords.h"
#include "installer/LinkSafeFiles.h"
#include "installer/RollbackJournal.h"
#include "toolkit/core/WinHandles.h"

namespace talvek {

class KeepAsideFolder {
 public:
  static constexpr char kJournalName[] = "journal";
  static constexpr char kFilesName[] = "files";

  // Makes `name` in the installation folder with `rights` (null: those
  // the folder passes on), its journal and mirror, and records it before
  // anything moves. Nothing, with what was made removed again, when any of
  // that fails; ERROR_ALREADY_EXISTS when the name was taken.
  static std::optional<KeepAsideFolder> make(const FolderRoot& install, HANDLE installHandle, const std::string& name,
                                             const KeptFolderRecords& records, PSECURITY_DESCRIPTOR rights);
  // Opens `name` found in the installation folder and reads its journal.
  // Nothing, logged, when it is no plain folder or not one this installer
  // made: it is then left alone.
  static std::optional<KeepAsideFolder> openFound(const FolderRoot& install, HANDLE installHandle,
                                                  const std::string& name, const KeptFolderRecords& records);

  const std::string& path() const { return self_.path; }
  const Journal& journal() const { return journal_; }

  // Appends to the journal and makes it durable; the copy in memory is
  // what a roll-back undoes.
  bool write(const std::vector<JournalLine>& lines);
  bool writeCommitted();
  // Moves a path below the installation folder to its place in the mirror.
  LinkSafe moveAside(const std::string& relative);

  // Undoes the journal: removes what was made, puts the kept paths back.
  // True when everything is back in place, or nothing was to be done.
  bool undo();
  // Deletes the archive a committed run left, as its journal names it.
  bool removeArchive();
  // Removes the kept copies; true when none is left.
  bool removeKept();
  // Removes the journal, the folder and its record; false, leaving them
  // for the next run, when the folder is not empty.
  bool removeRest();

 private:
  // Holds the installation folder through a handle of its own, however
  // long whoever gave it keeps theirs.
  KeepAsideFolder(const FolderRoot& install, HANDLE installHandle, const KeptFolderRecords& records);

  enum class Undone { Done, Nothing, Failed };

  bool append(const std::string& text);
  bool keptCopyExists(const std::string& relative) const;
  Undone deleteMadeFile(const std::string& relative);
  bool removeMadeFolder(const std::string& relative);
  bool putBack(const std::string& relative, HeldFolders& places);
  bool removeTree(const std::string& relative);

  FolderRoot install_;
  Handle installHandle_;
  const KeptFolderRecords* records_;
  FolderRoot self_;
  Handle folder_;
  Handle journalFile_;
  Journal journal_;
  std::optional<HeldFolders> mirror_;
};

}  // namespace talvek
