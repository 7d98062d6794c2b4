// Retrying what failed, in rounds, within one time budget for everything.
// A file a program was just ended for may stay held a moment; a file
// another program keeps open stays held. Retrying each file on its own
// costs a wait per file, hours for thousands of files in a hidden process;
// rounds over whatever is still left cost the budget once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace talvek {

class RetryRounds {
 public:
  struct Hooks {
    std::function<std::uint32_t()> nowMs;
    std::function<void(std::uint32_t ms)> pause;
  };

  RetryRounds(Hooks hooks, std::uint32_t budgetMs, std::uint32_t pauseMs)
      : hooks_(std::move(hooks)), budgetMs_(budgetMs), pauseMs_(pauseMs) {}

  // After a pause, tries `attempt(item)` on each of `pending` in order and
  // drops those it returns true for; again, until none is left or the
  // budget is spent, also in the middle of a round. The budget starts at
  // the first call and is shared by every later one.
  template <typename Item, typename Attempt>
  void retry(std::vector<Item>& pending, Attempt&& attempt) {
    if (!started_) {
      started_ = true;
      startMs_ = hooks_.nowMs();
    }
    while (!pending.empty() && msLeft() > 0) {
      hooks_.pause(std::min(pauseMs_, msLeft()));
      std::size_t kept = 0;
      for (std::size_t i = 0; i < pending.size(); ++i) {
        const bool done = msLeft() > 0 && attempt(pending[i]);
        if (!done) {
          if (kept != i) pending[kept] = std::move(pending[i]);
          ++kept;
        }
      }
      pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(kept), pending.end());
    }
  }

 private:
  std::uint32_t msLeft() const {
    const std::uint32_t spent = hooks_.nowMs() - startMs_;
    return spent < budgetMs_ ? budgetMs_ - spent : 0;
  }

  Hooks hooks_;
  std::uint32_t budgetMs_;
  std::uint32_t pauseMs_;
  bool started_ = false;
  std::uint32_t startMs_ = 0;
};

}  // namespace talvek
