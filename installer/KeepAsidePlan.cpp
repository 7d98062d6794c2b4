#include "installer/KeepAsidePlan.h"

#include <map>
#include <set>

#include "installer/GbkPath.h"

namespace talvek {
namespace {

class Planner {
 public:
  Planner(const std::vector<PlannedEntry>& entries, const std::function<Found(const std::string&)>& look,
          const FolderContents* contents)
      : entries_(entries), look_(look), contents_(contents) {}

  void add(const PlannedEntry& entry) {
    if (entry.relative.empty() || !settled_.insert(entry.relative).second) return;
    ensureParents(entry.relative);
    // Whatever lies behind a link is neither looked at nor planned.
    if (behindLink_.count(parentDirectory(entry.relative))) {
      behindLink_.insert(entry.relative);
      return;
    }
    const Found found = lookUnlessFresh(entry.relative);
    if (found.kind == FoundKind::Link) {
      plan_.links.push_back(entry.relative);
      behindLink_.insert(entry.relative);
      return;
    }
    if (entry.directory) {
      if (found.kind == FoundKind::Directory && !keptWhole(entry.relative)) return;
      if (found.kind != FoundKind::Nothing && found.kind != FoundKind::Directory) keep(entry.relative, found);
      make(JournalVerb::MakeDir, entry.relative);
      fresh_.insert(entry.relative);
      return;
    }
    if (found.kind != FoundKind::Nothing) keep(entry.relative, found);
    make(JournalVerb::MakeFile, entry.relative);
  }

  KeepAsidePlan take() { return std::move(plan_); }

 private:
  // An archive without explicit folder entries still gets real folders, never
  // a file or link standing where one of them goes.
  void ensureParents(const std::string& relative) {
    const auto separators = separatorOffsets(relative);
    for (std::size_t offset : separators) {
      const std::string parent = relative.substr(0, offset);
      if (settled_.count(parent)) continue;
      add(PlannedEntry{parent, true, 0});
    }
  }

  Found lookUnlessFresh(const std::string& relative) const {
    const std::string parent = parentDirectory(relative);
    if (!parent.empty() && fresh_.count(parent)) return {};
    return look_(relative);
  }

  void keep(const std::string& relative, const Found& found) {
    plan_.lines.push_back({JournalVerb::Keep, relative});
    if (found.kind == FoundKind::File) plan_.replacedFileSizes.push_back(found.size);
  }

  void make(JournalVerb verb, const std::string& relative) { plan_.lines.push_back({verb, relative}); }

  // A folder without files stays as it is: moving it would save nothing.
  bool keptWhole(const std::string& relative) {
    if (!contents_) return false;
    // Only an installation over an earlier one needs them.
    if (archived_.empty()) {
      for (const auto& entry : entries_) {
        archived_[entry.relative] = archived_[entry.relative] || entry.directory;
        for (std::size_t offset : separatorOffsets(entry.relative)) archived_[entry.relative.substr(0, offset)] = true;
      }
    }
    std::vector<std::uint64_t> sizes;
    if (!onlyArchived(relative, sizes) || sizes.empty()) return false;
    plan_.lines.push_back({JournalVerb::Keep, relative});
    plan_.replacedFileSizes.insert(plan_.replacedFileSizes.end(), sizes.begin(), sizes.end());
    return true;
  }

  bool onlyArchived(const std::string& folder, std::vector<std::uint64_t>& sizes) const {
    const auto listed = (*contents_)(folder);
    if (!listed) return false;
    for (const auto& item : *listed) {
      const std::string child = folder + "\\" + item.name;
      const auto archived = archived_.find(child);
      if (archived == archived_.end()) return false;
      if (item.found.kind == FoundKind::File && !archived->second) {
        sizes.push_back(item.found.size);
      } else if (item.found.kind != FoundKind::Directory || !archived->second || !onlyArchived(child, sizes)) {
        return false;
      }
    }
    return true;
  }

  const std::vector<PlannedEntry>& entries_;
  const std::function<Found(const std::string&)>& look_;
  const FolderContents* contents_;
  // Every path the archive puts something at, and whether it is a folder.
  std::map<std::string, bool> archived_;
  std::set<std::string> settled_;
  std::set<std::string> fresh_;
  std::set<std::string> behindLink_;
  KeepAsidePlan plan_;
};

}  // namespace

KeepAsidePlan planKeepAside(const std::vector<PlannedEntry>& entries,
                            const std::function<Found(const std::string& relative)>& look) {
  Planner planner(entries, look, nullptr);
  for (const auto& entry : entries) planner.add(entry);
  return planner.take();
}

KeepAsidePlan planKeepAside(const std::vector<PlannedEntry>& entries,
                            const std::function<Found(const std::string& relative)>& look,
                            const FolderContents& contents) {
  Planner planner(entries, look, &contents);
  for (const auto& entry : entries) planner.add(entry);
  return planner.take();
}

}  // namespace talvek
