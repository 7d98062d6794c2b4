// The journal of an installation that may have to be undone: which paths
// below the installation folder were moved aside before the new files were
// written, which ones the installation makes, and the archive it wrote.
// It is written ahead of every change, so its presence after a run that was
// cut short tells the next run exactly what to put back.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvek {

enum class JournalVerb {
  Keep,      // moved into the keep-aside folder, same relative path
  MakeFile,  // written by the installation where nothing (or a kept thing) was
  MakeDir,
  Archive,   // the archive the installation wrote
};

struct JournalLine {
  JournalVerb verb;
  std::string relative;  // below the installation folder, '\\'-separated
  bool operator==(const JournalLine&) const = default;
};

struct Journal {
  std::vector<JournalLine> lines;
  bool committed = false;  // the new files are complete; nothing to put back
  std::size_t refusedLines = 0;
};

// What undoing a journal does, in the order it must be done.
enum class UndoAction {
  DeleteMadeFile,    // something the installation made
  RemoveMadeFolder,  // a folder it made, only when empty
  PutBack,           // move the kept copy back to its place
};

struct UndoStep {
  UndoAction action;
  std::string relative;
  bool operator==(const UndoStep&) const = default;
};

class RollbackJournal {
 public:
  static constexpr std::string_view kHeader = "talvek keep-aside journal 1\n";
  static constexpr std::string_view kCommitted = "committed\n";

  static std::string formatLine(const JournalLine& line);

  // Reads a journal's bytes. Nothing without the header. Only lines that end
  // in a newline count (a line cut by a power loss was never acted on); a
  // line with an unknown verb or a path that would leave the installation
  // folder is refused and counted.
  static std::optional<Journal> parse(std::string_view text);

  // The steps that undo a journal, last change first. `keptCopyExists`
  // tells whether the keep-aside folder holds a relative path: a kept path
  // whose copy is not there was never moved, so its original is in place
  // and must not be deleted either.
  template <typename KeptCopyExists>
  static std::vector<UndoStep> undoSteps(const Journal& journal, KeptCopyExists keptCopyExists) {
    std::vector<std::string> neverMoved;
    for (const auto& line : journal.lines) {
      if (line.verb == JournalVerb::Keep && !keptCopyExists(line.relative)) neverMoved.push_back(line.relative);
    }
    return undoStepsGiven(journal, neverMoved);
  }

 private:
  static std::vector<UndoStep> undoStepsGiven(const Journal& journal, const std::vector<std::string>& neverMoved);
};

}  // namespace talvek
