#include "toolkit/core/WindowShadow.h"

#include "toolkit/core/RoundRect.h"

namespace talvek {
namespace {

struct Stroke {
  int width;
  int alpha;
};
// Widest and faintest first.
constexpr Stroke kStrokes[] = {{12, 5}, {10, 15}, {8, 30}, {6, 45}, {4, 60}, {2, 70}};

}  // namespace

void drawWindowShadow(Gdiplus::GpGraphics* graphics, int x, int y, int width, int height, Argb shadowColour,
                      int radius) {
  if (!graphics) return;
  gdip::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeHighQuality);
  const int m = kShadowMargin;

  // Outer and inner outline in one alternate-fill path clip to the ring.
  // The hole spans the whole body (a hole one pixel narrower would leave
  // the body's last column and row to the strokes).
  GdiplusPath ring = roundRectPath(x, y, width, height, radius + 1);
  GdiplusPath body = roundRectPath(x + m, y + m, width - 2 * m, height - 2 * m, radius + 1);
  if (!ring || !body) return;
  gdip::GdipAddPathPath(ring.get(), body.get(), FALSE);
  gdip::GdipSetClipPath(graphics, ring.get(), Gdiplus::CombineModeReplace);

  const int strokeWidth = width - 2 * m - 1 - (radius >= 4 ? 1 : 0);
  GdiplusPath stroke = roundRectPath(x + m, y + m, strokeWidth, height - 2 * m - 1, radius + 1);
  const Argb rgb = shadowColour & 0x00FFFFFFu;
  for (const Stroke& s : kStrokes) {
    drawPath(graphics, stroke.get(), (static_cast<Argb>(s.alpha) << 24) | rgb, static_cast<float>(s.width));
  }
  gdip::GdipResetClip(graphics);
}

}  // namespace talvek
