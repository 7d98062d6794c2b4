// A control for routing tests: records every event it receives, in one log
// shared by all controls of a test, and can leave the registry on event 2
// the way the real control base does.
#pragma once

#include <cstdint>
#include <thread>
#include <vector>

#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/RoutedControl.h"

namespace talvek::test {

struct ReceivedEvent {
  ReceivedEvent(ControlRef to, int eventCode, std::intptr_t first = 0, std::intptr_t second = 0,
                std::thread::id on = {})
      : control(to), code(eventCode), arg1(first), arg2(second), thread(on) {}

  ControlRef control = 0;
  int code = 0;
  std::intptr_t arg1 = 0;
  std::intptr_t arg2 = 0;
  std::thread::id thread;

  bool operator==(const ReceivedEvent& other) const {
    return control == other.control && code == other.code && arg1 == other.arg1 && arg2 == other.arg2;
  }
};

class RecordingControl : public RoutedControl {
 public:
  RecordingControl(std::vector<ReceivedEvent>& log, HostWindow host, Rect area, ControlRef parentRef = -1,
                   int nesting = 1)
      : log_(log) {
    attachReference();
    window = host;
    parent = parentRef;
    visible = 1;
    depth = nesting;
    focusable = 1;
    windowRect = area;
    visibleRect = area;
  }

  int onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) override {
    log_.push_back({handle, code, arg1, arg2, std::this_thread::get_id()});
    if (code == 2 && leavesRegistryOnDestroy) {
      int at = controlRegistry().indexOf(handle);
      if (at != 0) controlRegistry().removeRange(at, at);
    }
    return result;
  }

  bool leavesRegistryOnDestroy = false;
  int result = 1;

 private:
  std::vector<ReceivedEvent>& log_;
};

inline HostWindow fakeWindow(std::uintptr_t value) { return reinterpret_cast<HostWindow>(value); }

// Events of one code, in order.
inline std::vector<ReceivedEvent> eventsWithCode(const std::vector<ReceivedEvent>& log, int code) {
  std::vector<ReceivedEvent> found;
  for (const ReceivedEvent& event : log) {
    if (event.code == code) found.push_back(event);
  }
  return found;
}

}  // namespace talvek::test
