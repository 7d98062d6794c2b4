#include "toolkit/controls/ControlTimers.h"

#include <windows.h>
#include <mmsystem.h>

#include "toolkit/controls/ControlTimerTable.h"
#include "toolkit/core/EventDelivery.h"

namespace talvek {
namespace {

constexpr int kTimerEvent = 10;

ControlTimerTable& timers() {
  static ControlTimerTable table;
  return table;
}

void deliver(const TimerRecord& record) { sendControlEvent(record.control, kTimerEvent, record.key, record.value); }

void CALLBACK windowTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (!timers().dispatch(id, TimerKind::kWindow, deliver)) KillTimer(nullptr, id);
}

void CALLBACK fastTimerProc(UINT id, UINT, DWORD_PTR, DWORD_PTR, DWORD_PTR) {
  if (!timers().dispatch(id, TimerKind::kFast, deliver)) timeKillEvent(id);
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
  return store(control, key, value, TimerKind::kFast,
               timeSetEvent(intervalMs, 0, fastTimerProc, 0, TIME_PERIODIC | TIME_CALLBACK_FUNCTION));
}

void stopControlTimer(ControlRef control, int key) { stop(control, key, TimerKind::kWindow); }
void stopFastControlTimer(ControlRef control, int key) { stop(control, key, TimerKind::kFast); }

void stopAllControlTimers(ControlRef control) {
  for (const TimerRecord& record : timers().removeControl(control)) stopSystemTimer(record.id, record.kind);
}

}  // namespace talvek
