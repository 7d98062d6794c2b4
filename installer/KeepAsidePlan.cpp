#include "installer/KeepAsidePlan.h"

#include <set>

#include "installer/GbkPath.h"

namespace talvek {
namespace {

class Planner {
 public:
  explicit Planner(const std::function<Found(const std::string&)>& look) : look_(look) {}

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
      if (found.kind == FoundKind::Directory) return;
      if (found.kind != FoundKind::Nothing) keep(entry.relative, found);
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

  const std::function<Found(const std::string&)>& look_;
  std::set<std::string> settled_;
  std::set<std::string> fresh_;
  std::set<std::string> behindLink_;
  KeepAsidePlan plan_;
};

}  // namespace

KeepAsidePlan planKeepAside(const std::vector<PlannedEntry>& entries,
                            const std::function<Found(const std::string& relative)>& look) {
  Planner planner(look);
  for (const auto& entry : entries) planner.add(entry);
  return planner.take();
}

}  // namespace talvek
