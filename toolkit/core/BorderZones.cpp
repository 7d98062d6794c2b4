#include "toolkit/core/BorderZones.h"

namespace talvek {
namespace {

constexpr int kCorner = 6;
constexpr int kEdgeBeyondInset = 13;
constexpr int kDragBandBeyondInset = 23;

// Cursor resource ids as the system defines them (IDC_SIZENWSE and friends).
constexpr int kCursorNwse = 32642;
constexpr int kCursorNesw = 32643;
constexpr int kCursorWe = 32644;
constexpr int kCursorNs = 32645;

}  // namespace

BorderZone borderZoneAt(int x, int y, int w, int h, int frameInset) {
  const int t = frameInset + kEdgeBeyondInset;
  if (x <= kCorner && y <= kCorner) return BorderZone::TopLeft;
  if (x >= kCorner && x <= w - kCorner && y <= t) return BorderZone::Top;
  if (x >= w - kCorner && y <= kCorner) return BorderZone::TopRight;
  if (x > w - t && y > t && y < h - t) return BorderZone::Right;
  if (x >= w - kCorner && y >= h - kCorner) return BorderZone::BottomRight;
  if (x >= kCorner + 1 && x < w - kCorner && y >= h - t) return BorderZone::Bottom;
  if (x <= kCorner && y >= h - kCorner) return BorderZone::BottomLeft;
  if (x <= t && y > kCorner && y < h - kCorner) return BorderZone::Left;
  return BorderZone::None;
}

BorderZoneInfo borderZoneInfo(BorderZone zone) {
  switch (zone) {
    case BorderZone::TopLeft: return {kCursorNwse, 0xF004};
    case BorderZone::Top: return {kCursorNs, 0xF003};
    case BorderZone::TopRight: return {kCursorNesw, 0xF005};
    case BorderZone::Right: return {kCursorWe, 0xF002};
    case BorderZone::BottomRight: return {kCursorNwse, 0xF008};
    case BorderZone::Bottom: return {kCursorNs, 0xF006};
    case BorderZone::BottomLeft: return {kCursorNesw, 0xF007};
    case BorderZone::Left: return {kCursorWe, 0xF001};
    case BorderZone::None: break;
  }
  return {0, 0};
}

bool inDragBand(int x, int y, int width, int frameInset, int captionButtonsWidth, int captionRightMargin) {
  const int left = -2 * frameInset;
  const int bandWidth = width - captionButtonsWidth - captionRightMargin;
  const int bandHeight = frameInset + kDragBandBeyondInset;
  return x >= left && x < left + bandWidth && y >= 0 && y < bandHeight;
}

}  // namespace talvek
