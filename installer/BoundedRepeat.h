// Repetition that always ends.
#pragma once

namespace talvek {

// Runs `step` while `more()` holds, at most `maxSteps` times; returns how
// many steps ran.
template <typename More, typename Step>
int repeatWhileBounded(More more, Step step, int maxSteps) {
  int steps = 0;
  while (steps < maxSteps && more()) {
    step();
    ++steps;
  }
  return steps;
}

}  // namespace talvek
