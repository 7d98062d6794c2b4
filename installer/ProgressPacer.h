// Stands between the extraction's reports and the ring. The extraction
// reports after every entry, and between the blocks of a long one; showing
// and presenting each report costs more than extracting a small file, while
// nothing would be presented at all if the window never got a turn. So a
// percentage is shown only when its whole value changed (each one, in
// order), and the window gets its turn to present and to turn the ring at a
// bounded rate: soon after a change, and never long apart while working.
#pragma once

#include <cstdint>
#include <functional>

namespace talvek {

class ProgressPacer {
 public:
  // A changed percentage waits at most this long for its turn; turns come
  // no closer together.
  static constexpr std::uint32_t kTurnAfterChangeMs = 40;
  // Without any change, the window still gets a turn this often.
  static constexpr std::uint32_t kLongestWaitMs = 100;

  struct Hooks {
    std::function<void(int percent)> show;
    // Lets the window handle what waits: its present, the ring's turning.
    std::function<void()> letWindowRun;
    std::function<std::uint32_t()> nowMs;  // may wrap around
  };

  explicit ProgressPacer(Hooks hooks);

  // One report of the extraction: a whole percentage.
  void report(int percent);
  // Work with nothing to report (looking at what the extraction will
  // replace, before its first entry) still lets the ring turn.
  void working();

  long reports() const { return reports_; }
  long updates() const { return updates_; }

 private:
  void turnIfDue();

  Hooks hooks_;
  int shown_ = -1;
  bool changedSinceTurn_ = false;
  std::uint32_t lastTurnMs_ = 0;
  long reports_ = 0;
  long updates_ = 0;
};

}  // namespace talvek
