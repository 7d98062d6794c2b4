// Keeps the install log within its size: a run that loops (a process that
// will not end, a damaged archive reported entry by entry) must not fill
// the user's disk. Lines that no longer fit are dropped, and one last line
// says so; room for that line is always kept.
#pragma once

#include <cstddef>
#include <string>

namespace talvek {

class LogBudget {
 public:
  explicit LogBudget(std::size_t limitBytes) : limit_(limitBytes) {}

  // The bytes to append for `text`: the text itself while it fits, the
  // closing line once when it does not, nothing after that.
  std::string admit(std::string text);

  std::size_t used() const { return used_; }
  bool full() const { return full_; }

  static std::string closingLine(std::size_t limitBytes);

 private:
  std::size_t limit_;
  std::size_t used_ = 0;
  bool full_ = false;
};

}  // namespace talvek
