#include "toolkit/core/PictureScale.h"

#include <algorithm>
#include <cmath>

namespace talvek {
namespace {

// Slack for sizes that went through a float world transform: closer than
// this counts as equal.
constexpr double kSameScale = 0.001;

int scaledEdge(int edge, int base, int scaled) {
  return static_cast<int>(std::lround(static_cast<double>(edge) * scaled / base));
}

}  // namespace

double deviceRatio(double destinationWidth, double destinationHeight, int sourceWidth, int sourceHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0) return 1.0;
  return std::min(std::abs(destinationWidth) / sourceWidth, std::abs(destinationHeight) / sourceHeight);
}

double nearestPictureScale(double ratio, std::span<const double> larger) {
  double best = 1.0;
  if (!(ratio > 1.0)) return best;  // NaN too: the picture as drawn
  for (double scale : larger) {
    if (!(scale > 1.0)) continue;
    const double distance = std::abs(ratio - scale);
    const double bestDistance = std::abs(ratio - best);
    if (distance < bestDistance - kSameScale || (distance <= bestDistance + kSameScale && scale > best)) {
      best = scale;
    }
  }
  return best;
}

Rect scaledSourceRect(const Rect& source, int baseWidth, int baseHeight, int scaledWidth, int scaledHeight) {
  if (baseWidth <= 0 || baseHeight <= 0) return source;
  const int left = scaledEdge(source.x, baseWidth, scaledWidth);
  const int top = scaledEdge(source.y, baseHeight, scaledHeight);
  const int right = scaledEdge(source.x + source.width, baseWidth, scaledWidth);
  const int bottom = scaledEdge(source.y + source.height, baseHeight, scaledHeight);
  return {left, top, right - left, bottom - top};
}

bool needsResampling(int shownWidth, int shownHeight, double destinationWidth, double destinationHeight) {
  return std::abs(destinationWidth - shownWidth) > kSameScale || std::abs(destinationHeight - shownHeight) > kSameScale;
}

}  // namespace talvek
