// The toolkit-wide table of control timers: {control, timer id, key,
// value, kind}. Window timers fire on the UI thread; multimedia ("fast")
// timers fire on a system thread while the UI thread may be setting or
// killing timers. The table is guarded so a lookup never sees it half
// changed, and removing a fast timer waits for a dispatch of it that is
// already running on another thread, so a timer killed on the UI thread
// never reaches its control afterwards.
//
// Rules for the callers: stop the system timer first (KillTimer /
// timeKillEvent), then remove the record; a fast timer's onTimer must not
// wait for the UI thread (it could be waiting in remove for that very
// dispatch).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace talvek {

enum class TimerKind : int { kWindow = 0, kFast = 1 };

struct TimerRecord {
  int control = 0;
  std::uintptr_t id = 0;
  int key = 0;
  int value = 0;
  TimerKind kind = TimerKind::kWindow;
};

class ControlTimerTable {
 public:
  // Stores the record, replacing the one of the same control, key and kind;
  // returns the replaced timer's id when it differs (for the caller to stop).
  std::optional<std::uintptr_t> set(const TimerRecord& record);
  std::optional<TimerRecord> find(int control, int key, TimerKind kind) const;
  // Removes the record; once this returns, no dispatch of it runs on
  // another thread. Returns its id.
  std::optional<std::uintptr_t> remove(int control, int key, TimerKind kind);
  // Removes every timer of the control (it is being destroyed), with the
  // same guarantee. Returns the removed records.
  std::vector<TimerRecord> removeControl(int control);

  // The timer `id` of `kind` fired: runs deliver with its record and
  // returns true, or returns false when there is no record (the caller
  // kills the id). deliver runs without the table locked, so it may set
  // and remove timers itself.
  bool dispatch(std::uintptr_t id, TimerKind kind, const std::function<void(const TimerRecord&)>& deliver);

  std::size_t size() const;

 private:
  struct InFlight {
    std::uintptr_t id;
    TimerKind kind;
    std::thread::id thread;
  };
  void waitForDispatchesOf(std::unique_lock<std::mutex>& lock, const std::vector<TimerRecord>& removed);

  mutable std::mutex mutex_;
  std::condition_variable dispatchEnded_;
  std::vector<TimerRecord> records_;
  std::vector<InFlight> inFlight_;
};

}  // namespace talvek
