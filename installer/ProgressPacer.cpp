#include "installer/ProgressPacer.h"

#include <utility>

namespace talvek {

ProgressPacer::ProgressPacer(Hooks hooks) : hooks_(std::move(hooks)), lastTurnMs_(hooks_.nowMs()) {}

void ProgressPacer::report(int percent) {
  ++reports_;
  if (percent != shown_) {
    hooks_.show(percent);
    shown_ = percent;
    changedSinceTurn_ = true;
    ++updates_;
  }
  turnIfDue();
}

void ProgressPacer::working() { turnIfDue(); }

void ProgressPacer::turnIfDue() {
  // Unsigned difference: right across the clock's wrap-around.
  const std::uint32_t sinceTurn = hooks_.nowMs() - lastTurnMs_;
  if (sinceTurn >= kLongestWaitMs || (changedSinceTurn_ && sinceTurn >= kTurnAfterChangeMs)) {
    hooks_.letWindowRun();
    changedSinceTurn_ = false;
    // Measured after the turn: a slow turn must not make the next one due at once.
    lastTurnMs_ = hooks_.nowMs();
  }
}

}  // namespace talvek
