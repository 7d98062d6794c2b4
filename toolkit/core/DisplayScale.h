// The factor between the toolkit's 96-dpi units, in which skins, layouts and
// font sizes are written, and the pixels of a window's screen. Rectangles
// are scaled by their edges, so neighbours that touch in 96-dpi units still
// touch on screen, however the halves round.
#pragma once

#include "toolkit/core/Rect.h"

namespace talvek {

class DisplayScale {
 public:
  static constexpr int kBaseDpi = 96;
  // Beyond what any screen reports; a stranger value is taken as 96.
  static constexpr int kMaxDpi = 960;

  DisplayScale() = default;
  explicit DisplayScale(int dpi) : dpi_(dpi >= kBaseDpi && dpi <= kMaxDpi ? dpi : kBaseDpi) {}

  int dpi() const { return dpi_; }
  bool identity() const { return dpi_ == kBaseDpi; }
  float factor() const { return static_cast<float>(dpi_) / kBaseDpi; }

  // Halves round away from zero both ways; toLogical(toDevice(v)) == v.
  int toDevice(int value) const;
  int toLogical(int value) const;
  Rect toDevice(const Rect& rect) const;
  Rect toLogical(const Rect& rect) const;

  friend bool operator==(const DisplayScale& a, const DisplayScale& b) { return a.dpi_ == b.dpi_; }
  friend bool operator!=(const DisplayScale& a, const DisplayScale& b) { return a.dpi_ != b.dpi_; }

 private:
  int dpi_ = kBaseDpi;
};

}  // namespace talvek
