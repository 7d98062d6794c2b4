#include "netutil/NumericOrder.h"

namespace talvek {
namespace {

constexpr long long kLimit = 2147483648LL;

}  // namespace

long long leadingInteger(std::string_view text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string_view::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return -value;
  return value > kLimit - 1 ? kLimit - 1 : value;
}

int compareNumericTexts(std::string_view a, std::string_view b, bool descending) {
  long long first = leadingInteger(a);
  long long second = leadingInteger(b);
  int order = first < second ? -1 : (first > second ? 1 : 0);
  return descending ? -order : order;
}

}  // namespace talvek
