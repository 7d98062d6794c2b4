// One keep-aside folder on disk: its journal, its mirror of kept paths,
// undoing it and removing it. The folder is found, never trusted: it must be
// a plain folder, every path it names stays below the installation folder,
// and nothing is done through a link.
#pragma once

#include <string>

namespace talvek {

class KeepAsideFolder {
 public:
  static constexpr char kJournalName[] = "journal";
  static constexpr char kFilesName[] = "files\\";

  KeepAsideFolder(std::string installDir, std::string folder)
      : installDir_(std::move(installDir)), folder_(std::move(folder)) {}

  std::string keptPath(const std::string& relative) const { return folder_ + kFilesName + relative; }
  std::string journalPath() const { return folder_ + kJournalName; }

  // Undoes what the journal lists. True when everything is back in place
  // (or nothing was to be done) and the folder is gone.
  bool undo() const;
  // Removes the kept copies, the journal and the folder; what is in use is
  // removed at the next restart.
  void discard() const;

 private:
  bool undoSteps(const std::string& journalText) const;
  bool runsThroughLink(const std::string& relative) const;

  std::string installDir_;
  std::string folder_;
};

}  // namespace talvek
