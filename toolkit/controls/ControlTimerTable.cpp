#include "toolkit/controls/ControlTimerTable.h"

#include <algorithm>

namespace talvek {
namespace {

auto sameTimer(int control, int key, TimerKind kind) {
  return [=](const TimerRecord& r) { return r.control == control && r.key == key && r.kind == kind; };
}

}  // namespace

std::optional<std::uintptr_t> ControlTimerTable::set(const TimerRecord& record) {
  std::lock_guard lock(mutex_);
  auto it = std::find_if(records_.begin(), records_.end(), sameTimer(record.control, record.key, record.kind));
  if (it == records_.end()) {
    records_.push_back(record);
    return std::nullopt;
  }
  std::uintptr_t previous = it->id;
  *it = record;
  if (previous == record.id) return std::nullopt;
  return previous;
}

std::optional<TimerRecord> ControlTimerTable::find(int control, int key, TimerKind kind) const {
  std::lock_guard lock(mutex_);
  auto it = std::find_if(records_.begin(), records_.end(), sameTimer(control, key, kind));
  if (it == records_.end()) return std::nullopt;
  return *it;
}

void ControlTimerTable::waitForDispatchesOf(std::unique_lock<std::mutex>& lock, const std::vector<TimerRecord>& removed) {
  const std::thread::id self = std::this_thread::get_id();
  dispatchEnded_.wait(lock, [&] {
    return std::none_of(inFlight_.begin(), inFlight_.end(), [&](const InFlight& f) {
      return f.thread != self && std::any_of(removed.begin(), removed.end(), [&](const TimerRecord& r) {
               return r.id == f.id && r.kind == f.kind;
             });
    });
  });
}

std::optional<std::uintptr_t> ControlTimerTable::remove(int control, int key, TimerKind kind) {
  std::unique_lock lock(mutex_);
  auto it = std::find_if(records_.begin(), records_.end(), sameTimer(control, key, kind));
  if (it == records_.end()) return std::nullopt;
  std::vector<TimerRecord> removed{*it};
  records_.erase(it);
  waitForDispatchesOf(lock, removed);
  return removed.front().id;
}

std::vector<TimerRecord> ControlTimerTable::removeControl(int control) {
  std::unique_lock lock(mutex_);
  std::vector<TimerRecord> removed;
  std::erase_if(records_, [&](const TimerRecord& r) {
    if (r.control != control) return false;
    removed.push_back(r);
    return true;
  });
  waitForDispatchesOf(lock, removed);
  return removed;
}

bool ControlTimerTable::dispatch(std::uintptr_t id, TimerKind kind,
                                 const std::function<void(const TimerRecord&)>& deliver) {
  TimerRecord record;
  {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(records_.begin(), records_.end(),
                           [&](const TimerRecord& r) { return r.id == id && r.kind == kind; });
    if (it == records_.end()) return false;
    record = *it;
    inFlight_.push_back({id, kind, std::this_thread::get_id()});
  }
  // Marked in flight before the lock is let go: a remove from now on waits.
  struct EndOfDispatch {
    ControlTimerTable& table;
    std::uintptr_t id;
    TimerKind kind;
    ~EndOfDispatch() {
      std::lock_guard lock(table.mutex_);
      const std::thread::id self = std::this_thread::get_id();
      auto it = std::find_if(table.inFlight_.begin(), table.inFlight_.end(),
                             [&](const InFlight& f) { return f.id == id && f.kind == kind && f.thread == self; });
      if (it != table.inFlight_.end()) table.inFlight_.erase(it);
      table.dispatchEnded_.notify_all();
    }
  } end{*this, id, kind};
  deliver(record);
  return true;
}

std::size_t ControlTimerTable::size() const {
  std::lock_guard lock(mutex_);
  return records_.size();
}

}  // namespace talvek
