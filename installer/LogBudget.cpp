#include "installer/LogBudget.h"

namespace talvek {

std::string LogBudget::closingLine(std::size_t limitBytes) {
  return "The log reached its limit of " + std::to_string(limitBytes / 1024) +
         " KiB; the lines after this one were dropped.\r\n";
}

std::string LogBudget::admit(std::string text) {
  if (full_) return {};
  const std::string closing = closingLine(limit_);
  if (used_ + text.size() + closing.size() <= limit_) {
    used_ += text.size();
    return text;
  }
  full_ = true;
  // A limit too small for even the closing line writes nothing at all.
  if (used_ + closing.size() > limit_) return {};
  used_ += closing.size();
  return closing;
}

}  // namespace talvek
