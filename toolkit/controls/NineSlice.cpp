#include "toolkit/controls/NineSlice.h"

#include <algorithm>

namespace talvek {

std::array<SlicePiece, 9> nineSlicePieces(int imageWidth, int imageHeight, const Rect& d, SliceMargins m) {
  const int iw = std::max(0, imageWidth);
  const int ih = std::max(0, imageHeight);
  m.left = std::clamp(m.left, 0, iw);
  m.right = std::clamp(m.right, 0, iw - m.left);
  m.top = std::clamp(m.top, 0, ih);
  m.bottom = std::clamp(m.bottom, 0, ih - m.top);
  const int srcMidW = iw - m.left - m.right;
  const int srcMidH = ih - m.top - m.bottom;
  const int dstMidW = std::max(0, d.width - m.left - m.right);
  const int dstMidH = std::max(0, d.height - m.top - m.bottom);
  const int srcRight = iw - m.right;
  const int srcBottom = ih - m.bottom;
  const int dstRight = d.x + d.width - m.right;
  const int dstBottom = d.y + d.height - m.bottom;
  const int dstMidX = d.x + m.left;
  const int dstMidY = d.y + m.top;
  return {{
      {{0, 0, m.left, m.top}, {d.x, d.y, m.left, m.top}},
      {{srcRight, 0, m.right, m.top}, {dstRight, d.y, m.right, m.top}},
      {{0, srcBottom, m.left, m.bottom}, {d.x, dstBottom, m.left, m.bottom}},
      {{srcRight, srcBottom, m.right, m.bottom}, {dstRight, dstBottom, m.right, m.bottom}},
      {{m.left, 0, srcMidW, m.top}, {dstMidX, d.y, dstMidW, m.top}},
      {{m.left, srcBottom, srcMidW, m.bottom}, {dstMidX, dstBottom, dstMidW, m.bottom}},
      {{0, m.top, m.left, srcMidH}, {d.x, dstMidY, m.left, dstMidH}},
      {{srcRight, m.top, m.right, srcMidH}, {dstRight, dstMidY, m.right, dstMidH}},
      {{m.left, m.top, srcMidW, srcMidH}, {dstMidX, dstMidY, dstMidW, dstMidH}},
  }};
}

std::uint32_t contrastColor(Argb color) {
  int sum = static_cast<int>(((color >> 16) & 0xFF) + ((color >> 8) & 0xFF) + (color & 0xFF));
  // 2 × sum > 765 is sum > 382.5 without fractions.
  return 2 * sum > 765 ? 0x000000u : 0xFFFFFFu;
}

}  // namespace talvek
