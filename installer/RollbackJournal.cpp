#include "installer/RollbackJournal.h"

#include <algorithm>
#include <array>
#include <utility>

#include "installer/ArchiveEntryName.h"

namespace talvek {
namespace {

constexpr std::array<std::pair<JournalVerb, std::string_view>, 4> kVerbs{{
    {JournalVerb::Keep, "keep"},
    {JournalVerb::MakeFile, "make-file"},
    {JournalVerb::MakeDir, "make-dir"},
    {JournalVerb::Archive, "archive"},
}};

std::optional<JournalLine> parseLine(std::string_view line) {
  const auto space = line.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const auto verbText = line.substr(0, space);
  const auto found = std::find_if(kVerbs.begin(), kVerbs.end(), [&](const auto& v) { return v.second == verbText; });
  if (found == kVerbs.end()) return std::nullopt;
  // The same rule as for archive names: a planted journal cannot name a
  // path outside the installation folder.
  const auto path = line.substr(space + 1);
  if (std::any_of(path.begin(), path.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) {
    return std::nullopt;
  }
  auto relative = safeRelativePath(path);
  if (!relative) return std::nullopt;
  return JournalLine{found->first, std::move(*relative)};
}

}  // namespace

std::string RollbackJournal::formatLine(const JournalLine& line) {
  const auto found = std::find_if(kVerbs.begin(), kVerbs.end(), [&](const auto& v) { return v.first == line.verb; });
  return std::string(found->second) + " " + line.relative + "\n";
}

std::optional<Journal> RollbackJournal::parse(std::string_view text) {
  if (text.substr(0, kHeader.size()) != kHeader) return std::nullopt;
  Journal journal;
  std::size_t start = kHeader.size();
  for (std::size_t end = text.find('\n', start); end != std::string_view::npos; end = text.find('\n', start)) {
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (line == kCommitted.substr(0, kCommitted.size() - 1)) {
      journal.committed = true;
    } else if (auto parsed = parseLine(line)) {
      journal.lines.push_back(std::move(*parsed));
    } else {
      ++journal.refusedLines;
    }
  }
  return journal;
}

std::vector<UndoStep> RollbackJournal::undoStepsGiven(const Journal& journal,
                                                      const std::vector<std::string>& neverMoved) {
  std::vector<UndoStep> steps;
  if (journal.committed) return steps;
  // A folder kept whole that never moved still holds what the lines below
  // it name: the earlier version's own files.
  auto untouched = [&](const std::string& relative) {
    return std::any_of(neverMoved.begin(), neverMoved.end(), [&](const std::string& kept) {
      return relative.compare(0, kept.size(), kept) == 0 &&
             (relative.size() == kept.size() || relative[kept.size()] == '\\');
    });
  };
  std::vector<std::string> putBack;
  for (auto line = journal.lines.rbegin(); line != journal.lines.rend(); ++line) {
    if (untouched(line->relative)) continue;
    // A path is kept aside once; a repeated line must not make a second
    // put-back fail for a copy the first one already moved.
    if (line->verb == JournalVerb::Keep) {
      if (std::find(putBack.begin(), putBack.end(), line->relative) != putBack.end()) continue;
      putBack.push_back(line->relative);
    }
    switch (line->verb) {
      case JournalVerb::MakeFile:
      case JournalVerb::Archive:
        steps.push_back({UndoAction::DeleteMadeFile, line->relative});
        break;
      case JournalVerb::MakeDir:
        steps.push_back({UndoAction::RemoveMadeFolder, line->relative});
        break;
      case JournalVerb::Keep:
        steps.push_back({UndoAction::PutBack, line->relative});
        break;
    }
  }
  return steps;
}

}  // namespace talvek
