// Nine-slice geometry: the corners of an image keep their size, the edges
// stretch along their length and the centre stretches both ways to fill a
// destination rectangle. Also the one colour rule the helpers share.
#pragma once

#include <array>
#include <cstdint>

#include "toolkit/core/ArgbColor.h"
#include "toolkit/core/Rect.h"

namespace talvek {

struct SliceMargins {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct SlicePiece {
  Rect source;       // in the image
  Rect destination;  // in the target
};

// The nine pieces, corners first (top-left, top-right, bottom-left,
// bottom-right), then the edges (top, bottom, left, right), then the centre.
// Margins are clamped to the image; stretched parts never get a negative
// size (a destination smaller than the corners simply shows the corners).
std::array<SlicePiece, 9> nineSlicePieces(int imageWidth, int imageHeight, const Rect& destination,
                                          SliceMargins margins);

// Black (0x000000) on light colours, white (0xFFFFFF) on dark ones: the
// sum of red, green and blue above 382.5 counts as light.
std::uint32_t contrastColor(Argb color);

}  // namespace talvek
