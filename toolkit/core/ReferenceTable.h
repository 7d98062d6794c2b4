// Maps control and form references to their objects. References come from
// outside the process too (the rich-edit server passes a number from a
// network request), so a reference is only ever looked up here: unknown,
// stale and forged numbers find nothing.
//
// The table is locked: another thread may ask about a reference while the
// UI thread adds or removes controls. Only the owner thread of a control
// may use the pointer it gets back.
#pragma once

#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>

#include "toolkit/core/RoutedControl.h"

namespace talvek {

class ToolkitWindow;

class ReferenceTable {
 public:
  // Positive, counting up, never reused; 0 when the numbers are used up.
  ControlRef addControl(RoutedControl* control);
  // Negative, counting down, never reused; 0 when the numbers are used up.
  ControlRef addForm(ToolkitWindow* form);
  void remove(ControlRef ref);

  // The thread that added a live control; empty for anything else.
  std::optional<std::thread::id> ownerOf(ControlRef ref) const;
  // Null unless ref names a live control owned by the calling thread.
  RoutedControl* control(ControlRef ref) const;
  ToolkitWindow* form(ControlRef ref) const;

 private:
  struct Entry {
    RoutedControl* control = nullptr;
    ToolkitWindow* form = nullptr;
    std::thread::id owner;
  };

  mutable std::mutex mutex_;
  std::unordered_map<ControlRef, Entry> entries_;
  ControlRef lastControl_ = 0;
  ControlRef lastForm_ = 0;
};

// The process-wide table.
ReferenceTable& controlReferences();

// Delivers an event to a live control owned by the calling thread. Empty
// when the control lives but belongs to another thread (the caller must
// hand the event over to that thread); 0 for anything that is not a live
// control.
std::optional<int> deliverOnOwnerThread(const ReferenceTable& table, ControlRef ref, int code,
                                        std::intptr_t arg1, std::intptr_t arg2);

}  // namespace talvek
