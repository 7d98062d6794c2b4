// Wall-clock time, message pumping and the test form shared by the
// benchmark programs.
#pragma once

#include <windows.h>

#include "toolkit/core/Form.h"

namespace talvek::bench {

inline double nowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds that `rounds` calls of step(round) take together.
template <typename Step>
double timeRounds(int rounds, Step step) {
  const double start = nowMs();
  for (int round = 0; round < rounds; ++round) step(round);
  return nowMs() - start;
}

// Handles the thread's messages for about `ms`.
inline void pumpFor(double ms) {
  const double end = nowMs() + ms;
  MSG message;
  while (nowMs() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    // Bounded inside too: a control whose timer outruns its drawing keeps
    // the queue from ever running dry.
    while (nowMs() < end && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
}

// A shown 700 x 500 layered form with caption buttons, the installer's size.
inline void createBenchForm(Form& form) {
  FormCreateOptions options;
  options.rectangle = Rect{0, 0, 700, 500};
  options.styleFlags = 47;
  options.titleText = u"benchmark";
  options.backgroundColor = 0xFF1C1C1C;
  form.create(options);
  form.layeredMode(true, true);
  form.repaintAll();
  form.show(true);
  pumpFor(1000);
}

// A benchmark's main: no exception leaves it.
template <typename Run>
int runGuarded(Run run) {
  try {
    return run();
  } catch (...) {
    return 1;
  }
}

}  // namespace talvek::bench
