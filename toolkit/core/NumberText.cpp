#include "toolkit/core/NumberText.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace talvek {

namespace {

constexpr std::uint32_t kLimbBase = 1000000000;

// A non-negative whole number in base-10^9 limbs, least significant first.
class BigDecimal {
 public:
  explicit BigDecimal(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kLimbBase));
      value /= kLimbBase;
    } while (value != 0);
  }

  // factor < 2^31, so a limb times it plus the carry stays below 2^63.
  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(product % kLimbBase);
      carry = product / kLimbBase;
    }
    for (; carry != 0; carry /= kLimbBase) limbs_.push_back(static_cast<std::uint32_t>(carry % kLimbBase));
  }

  void multiplyByPower(std::uint32_t base, int power, std::uint32_t chunk, int chunkPower) {
    for (; power >= chunkPower; power -= chunkPower) multiply(chunk);
    for (; power > 0; --power) multiply(base);
  }

  std::string digits() const {
    std::string text = std::to_string(limbs_.back());
    for (auto limb = limbs_.rbegin() + 1; limb != limbs_.rend(); ++limb) text += paddedDecimal(*limb, 9, '0');
    return text;
  }

 private:
  std::vector<std::uint32_t> limbs_;
};

// value = 0.digits × 10^point, exactly (a double is a whole number times a
// power of two, so its decimal expansion ends).
struct ExactDigits {
  std::string digits;  // empty for zero
  int point = 0;
};

ExactDigits exactDigits(double magnitude) {
  if (magnitude == 0) return {};
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int exponent = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  for (; (mantissa & 1) == 0 && exponent < 0; mantissa >>= 1) ++exponent;
  BigDecimal whole(mantissa);
  // m × 2^-k = m × 5^k / 10^k
  if (exponent >= 0) whole.multiplyByPower(2, exponent, 1u << 29, 29);
  else whole.multiplyByPower(5, -exponent, 1220703125, 13);
  ExactDigits exact{whole.digits(), 0};
  exact.point = static_cast<int>(exact.digits.size()) + (exponent < 0 ? exponent : 0);
  return exact;
}

// Keeps the first `keep` digits, rounding the rest off to nearest, ties to
// even; a carry out of the first digit moves the point.
void roundTo(ExactDigits& exact, int keep) {
  std::string& d = exact.digits;
  if (keep >= static_cast<int>(d.size())) return;
  if (keep < 0) {
    d.clear();
    return;
  }
  const bool tail = d.find_first_not_of('0', keep + 1) != std::string::npos;
  const bool odd = keep > 0 && (d[keep - 1] - '0') % 2 == 1;
  const bool up = d[keep] > '5' || (d[keep] == '5' && (tail || odd));
  d.resize(keep);
  if (!up) return;
  int i = keep - 1;
  for (; i >= 0 && d[i] == '9'; --i) d[i] = '0';
  if (i >= 0) {
    ++d[i];
  } else {
    d.insert(d.begin(), '1');
    if (keep > 0) d.pop_back();
    ++exact.point;
  }
}

char digitAt(const ExactDigits& exact, int index) {
  return index >= 0 && index < static_cast<int>(exact.digits.size()) ? exact.digits[index] : '0';
}

// The digits before the point, then `decimals` after it.
std::string placeDigits(const ExactDigits& exact, int decimals) {
  std::string text;
  for (int i = 0; i < exact.point; ++i) text += digitAt(exact, i);
  if (text.empty()) text = "0";
  if (decimals > 0) text += '.';
  for (int i = 0; i < decimals; ++i) text += digitAt(exact, exact.point + i);
  return text;
}

void dropTrailingZeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
}

// NaN and the infinities as printed, or an empty text for a finite value.
std::string notFinite(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  return {};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Case-insensitive `word` at `text` (lower-case word).
bool startsWithWord(const char* text, const char* word) {
  for (; *word != 0; ++text, ++word) {
    if ((*text | 0x20) != *word) return false;
  }
  return true;
}

long double powerOfTen(int power) {
  long double result = 1, base = 10;
  for (; power != 0; power >>= 1, base *= base) {
    if (power & 1) result *= base;
  }
  return result;
}

}  // namespace

std::string paddedDecimal(unsigned long long value, int width, char fill) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), fill);
  return digits;
}

std::string hexDigits(std::uint32_t value, int width) {
  std::string digits;
  do {
    digits.insert(digits.begin(), "0123456789ABCDEF"[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return digits;
}

std::string fixedText(double value, int decimals) {
  if (std::string special = notFinite(value); !special.empty()) return special;
  ExactDigits exact = exactDigits(std::fabs(value));
  roundTo(exact, exact.point + decimals);
  return (std::signbit(value) ? "-" : "") + placeDigits(exact, decimals);
}

std::string trimmedFixedText(double value, int decimals) {
  std::string text = fixedText(value, decimals);
  dropTrailingZeros(text);
  return text;
}

std::string generalText(double value, int digits) {
  if (std::string special = notFinite(value); !special.empty()) return special;
  const std::string sign = std::signbit(value) ? "-" : "";
  if (value == 0) return sign + "0";
  ExactDigits exact = exactDigits(std::fabs(value));
  roundTo(exact, digits);
  const int tens = exact.point - 1;
  if (tens >= -4 && tens < digits) {
    std::string text = placeDigits(exact, digits - 1 - tens);
    dropTrailingZeros(text);
    return sign + text;
  }
  exact.point = 1;
  std::string text = placeDigits(exact, digits - 1);
  dropTrailingZeros(text);
  const int magnitude = std::abs(tens);
  return sign + text + (tens < 0 ? "e-" : "e+") + paddedDecimal(magnitude, 2, '0');
}

double readDecimal(const char* text, const char** end) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  const double sign = negative ? -1.0 : 1.0;
  if (startsWithWord(p, "inf")) {
    *end = p + (startsWithWord(p, "infinity") ? 8 : 3);
    return sign * HUGE_VAL;
  }
  if (startsWithWord(p, "nan")) {
    *end = p + 3;
    return std::numeric_limits<double>::quiet_NaN();
  }
  // Up to 19 significant digits are kept: more cannot change a double by
  // more than its last bit.
  std::uint64_t mantissa = 0;
  int kept = 0;
  long tens = 0;
  bool anyDigit = false;
  auto take = [&](char c, bool fraction) {
    anyDigit = true;
    if (mantissa == 0 && c == '0') {
      if (fraction) --tens;
    } else if (kept < 19) {
      mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
      ++kept;
      if (fraction) --tens;
    } else if (!fraction) {
      ++tens;
    }
  };
  for (; isDigit(*p); ++p) take(*p, false);
  if (*p == '.') {
    for (++p; isDigit(*p); ++p) take(*p, true);
  }
  if (!anyDigit) {
    *end = text;
    return 0;
  }
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    const bool negativeExponent = *q == '-';
    if (*q == '+' || *q == '-') ++q;
    if (isDigit(*q)) {
      long written = 0;
      for (; isDigit(*q); ++q) written = std::min(written * 10 + (*q - '0'), 100000L);
      tens += negativeExponent ? -written : written;
      p = q;
    }
  }
  *end = p;
  if (mantissa == 0) return sign * 0.0;
  // Below 10^-400 even 19 digits underflow a double; above 10^400 they overflow it.
  if (tens < -420) return sign * 0.0;
  if (tens > 400) return sign * HUGE_VAL;
  const long double scaled = tens >= 0 ? mantissa * powerOfTen(static_cast<int>(tens))
                                       : mantissa / powerOfTen(static_cast<int>(-tens));
  return sign * static_cast<double>(scaled);
}

}  // namespace talvek
