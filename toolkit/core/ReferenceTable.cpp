#include "toolkit/core/ReferenceTable.h"

#include <limits>

namespace talvek {

ControlRef ReferenceTable::addControl(RoutedControl* control) {
  if (!control) return 0;
  std::lock_guard lock(mutex_);
  if (lastControl_ == std::numeric_limits<ControlRef>::max()) return 0;
  ++lastControl_;
  entries_[lastControl_] = Entry{control, nullptr, std::this_thread::get_id()};
  return lastControl_;
}

ControlRef ReferenceTable::addForm(ToolkitWindow* form) {
  if (!form) return 0;
  std::lock_guard lock(mutex_);
  if (lastForm_ == std::numeric_limits<ControlRef>::min() + 1) return 0;
  --lastForm_;
  entries_[lastForm_] = Entry{nullptr, form, std::this_thread::get_id()};
  return lastForm_;
}

void ReferenceTable::remove(ControlRef ref) {
  std::lock_guard lock(mutex_);
  entries_.erase(ref);
}

std::optional<std::thread::id> ReferenceTable::ownerOf(ControlRef ref) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(ref);
  if (ref <= 0 || it == entries_.end()) return std::nullopt;
  return it->second.owner;
}

RoutedControl* ReferenceTable::control(ControlRef ref) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(ref);
  if (ref <= 0 || it == entries_.end() || it->second.owner != std::this_thread::get_id()) return nullptr;
  return it->second.control;
}

ToolkitWindow* ReferenceTable::form(ControlRef ref) const {
  std::lock_guard lock(mutex_);
  auto it = entries_.find(ref);
  if (ref >= 0 || it == entries_.end() || it->second.owner != std::this_thread::get_id()) return nullptr;
  return it->second.form;
}

ReferenceTable& controlReferences() {
  static ReferenceTable table;
  return table;
}

std::optional<int> deliverOnOwnerThread(const ReferenceTable& table, ControlRef ref, int code,
                                        std::intptr_t arg1, std::intptr_t arg2) {
  if (ref <= 0) return 0;
  auto owner = table.ownerOf(ref);
  if (!owner) return 0;
  if (*owner != std::this_thread::get_id()) return std::nullopt;
  // Same thread as every add and remove of this control, so the pointer
  // cannot go stale between the look-up and the call.
  RoutedControl* control = table.control(ref);
  return control ? control->onEvent(code, arg1, arg2) : 0;
}

}  // namespace talvek
