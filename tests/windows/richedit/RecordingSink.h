// Stands in for the toolkit's sendControlEvent and remembers every call, with
// a copy of the text that is only valid during the call.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "toolkit/richedit/ControlEventSink.h"

namespace talvek::test {

struct RecordedEvent {
  std::int32_t control;
  int code;
  std::intptr_t kind;
  std::u16string text;
};

class RecordingSink {
 public:
  richedit::ControlEventSink sink() {
    return [this](std::int32_t control, int code, std::intptr_t kind, std::intptr_t text, unsigned) {
      const std::lock_guard lock(mutex_);
      events_.push_back({control, code, kind, reinterpret_cast<const char16_t*>(text)});
      return 0;
    };
  }
  std::vector<RecordedEvent> take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
  }

 private:
  std::mutex mutex_;
  std::vector<RecordedEvent> events_;
};

}  // namespace talvek::test
