#include "toolkit/controls/ControlTimers.h"

#include "toolkit/core/LateLoadedApis.h"

#include <mutex>
#include <unordered_set>

#include "toolkit/controls/ControlTimerTable.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/MessageSeal.h"

namespace talvek {
namespace {

ControlTimerTable& timers() {
  static ControlTimerTable table;
  return table;
}

void deliver(const TimerRecord& record) { sendControlEvent(record.control, control_event::kTimer, record.key, record.value); }

void CALLBACK windowTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (!timers().dispatch(id, TimerKind::kWindow, deliver)) KillTimer(nullptr, id);
}

// Fast ticks are handed to the UI thread by posting, never by a send: a
// send would wait for the UI thread, and the UI thread stopping that very
// timer waits for the tick to end.
constexpr UINT kFastTickMessage = WM_APP + 0x75;
constexpr wchar_t kTickWindowClass[] = L"TalvekControlTimerTicks";

// At most one tick of each fast timer waits in the queue. A control slower
// to draw than its interval would otherwise fill the queue without end:
// window timers (generated only when no posted message waits) would never
// tick again, and a loop that handles "what is pending" would never end.
class PendingTicks {
 public:
  bool claim(UINT_PTR id) {
    std::lock_guard<std::mutex> lock(mutex_);
    return ids_.insert(id).second;
  }
  void release(UINT_PTR id) {
    std::lock_guard<std::mutex> lock(mutex_);
    ids_.erase(id);
  }

 private:
  std::mutex mutex_;
  std::unordered_set<UINT_PTR> ids_;
};

PendingTicks& pendingTicks() {
  static PendingTicks pending;
  return pending;
}

LRESULT CALLBACK tickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kFastTickMessage) {
    // Ticks come from our own timer thread; another process's are dropped.
    if (!message_seal::matches(wParam)) return 0;
    const auto id = static_cast<UINT_PTR>(lParam);
    // A tick posted before its timer was stopped finds no record: dropped.
    timers().dispatch(id, TimerKind::kFast, deliver);
    // Released only after the tick ran: the next one is posted at the
    // following interval, which leaves the queue empty for a moment.
    pendingTicks().release(id);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window on the thread that starts the first fast timer
// (the UI thread).
HWND tickWindow() {
  static const HWND window = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = tickWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTickWindowClass;
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, kTickWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }();
  return window;
}

void CALLBACK fastTimerProc(UINT id, UINT, DWORD_PTR window, DWORD_PTR, DWORD_PTR) {
  const bool known = timers().dispatch(id, TimerKind::kFast, [](const TimerRecord&) {});
  if (!known) {
    timeKillEvent(id);
    return;
  }
  if (!pendingTicks().claim(id)) return;
  if (!PostMessageW(reinterpret_cast<HWND>(window), kFastTickMessage, message_seal::value(), id)) {
    pendingTicks().release(id);
  }
}

void stopSystemTimer(std::uintptr_t id, TimerKind kind) {
  if (kind == TimerKind::kWindow) {
    KillTimer(nullptr, id);
  } else {
    timeKillEvent(static_cast<UINT>(id));
  }
}

bool store(ControlRef control, int key, int value, TimerKind kind, std::uintptr_t id) {
  if (id == 0) return false;
  if (auto replaced = timers().set(TimerRecord{control, id, key, value, kind})) stopSystemTimer(*replaced, kind);
  return true;
}

void stop(ControlRef control, int key, TimerKind kind) {
  // The system timer first, then the record (the table's rule).
  if (auto record = timers().find(control, key, kind)) stopSystemTimer(record->id, kind);
  timers().remove(control, key, kind);
}

}  // namespace

bool startControlTimer(ControlRef control, int key, int intervalMs, int value) {
  return store(control, key, value, TimerKind::kWindow, SetTimer(nullptr, 0, intervalMs, windowTimerProc));
}

bool startFastControlTimer(ControlRef control, int key, int intervalMs, int value) {
  HWND window = tickWindow();
  if (!window) return false;
  return store(control, key, value, TimerKind::kFast,
               timeSetEvent(intervalMs, 0, fastTimerProc, reinterpret_cast<DWORD_PTR>(window),
                            TIME_PERIODIC | TIME_CALLBACK_FUNCTION));
}

void stopControlTimer(ControlRef control, int key) { stop(control, key, TimerKind::kWindow); }
void stopFastControlTimer(ControlRef control, int key) { stop(control, key, TimerKind::kFast); }

void stopAllControlTimers(ControlRef control) {
  for (const TimerRecord& record : timers().removeControl(control)) stopSystemTimer(record.id, record.kind);
}

}  // namespace talvek
