#include "toolkit/core/DisplayScale.h"

#include <cstdint>
#include <limits>

namespace talvek {
namespace {

// value * numerator / denominator, rounded half away from zero, held to
// the 32-bit range.
int mulDivRound(std::int64_t value, int numerator, int denominator) {
  const std::int64_t product = value * numerator;
  const std::int64_t half = denominator / 2;
  std::int64_t result = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
  if (result > std::numeric_limits<int>::max()) result = std::numeric_limits<int>::max();
  if (result < std::numeric_limits<int>::min()) result = std::numeric_limits<int>::min();
  return static_cast<int>(result);
}

// The far edges are summed in 64 bits: x + width may not fit in 32.
Rect byEdges(const Rect& rect, int numerator, int denominator) {
  const int left = mulDivRound(rect.x, numerator, denominator);
  const int top = mulDivRound(rect.y, numerator, denominator);
  const std::int64_t right = mulDivRound(std::int64_t{rect.x} + rect.width, numerator, denominator);
  const std::int64_t bottom = mulDivRound(std::int64_t{rect.y} + rect.height, numerator, denominator);
  return {left, top, static_cast<std::int32_t>(right - left), static_cast<std::int32_t>(bottom - top)};
}

}  // namespace

int DisplayScale::toDevice(int value) const { return identity() ? value : mulDivRound(value, dpi_, kBaseDpi); }

int DisplayScale::toLogical(int value) const { return identity() ? value : mulDivRound(value, kBaseDpi, dpi_); }

Rect DisplayScale::toDevice(const Rect& rect) const { return identity() ? rect : byEdges(rect, dpi_, kBaseDpi); }

Rect DisplayScale::toLogical(const Rect& rect) const { return identity() ? rect : byEdges(rect, kBaseDpi, dpi_); }

}  // namespace talvek
