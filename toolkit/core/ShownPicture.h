// What a layered window shows: a copy of the pixels last pushed to it. A
// present compares its canvas with the copy and pushes only the rectangle
// that holds every changed pixel, or nothing when no pixel changed. The
// system copies a whole window's picture at every push, and most pushes
// change a ring or a caret; comparing is exact whoever drew where.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/core/Rect.h"

namespace talvek {

class ShownPicture {
 public:
  // Rows of `width` pixels, the top row's first pixel at `topRow` and each
  // next row `rowStep` pixels further on (negative for a bottom-up bitmap).
  struct Pixels {
    const std::uint32_t* topRow = nullptr;
    std::ptrdiff_t rowStep = 0;
    int width = 0;
    int height = 0;
  };

  // Keeps `pixels` as shown and returns the rectangle holding every pixel
  // that differs from the kept picture: empty when none does, the whole
  // picture when none of the same size was kept. An empty picture is
  // forgotten and gives an empty rectangle.
  Rect takeChanges(const Pixels& pixels);
  // The window no longer shows the kept picture (hidden, animated, moved).
  void forget();
  bool known() const { return width_ > 0; }

 private:
  std::vector<std::uint32_t> pixels_;  // top row first
  int width_ = 0;
  int height_ = 0;
};

}  // namespace talvek
