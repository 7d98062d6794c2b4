#include "toolkit/core/FlipGeometry.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>

namespace talvek {
namespace {

constexpr double kPi = 3.141592;  // the value the flip has always used
constexpr double kViewerFactor = 1.2;
constexpr double kBehindViewer = -1e-7;

}  // namespace

void FlipGeometry::setSize(int width, int height) {
  width_ = width;
  height_ = height;
  const double hx = width / 2, hy = height / 2;
  corners_ = {{{-hx, -hy, 0}, {-hx, hy, 0}, {hx, hy, 0}, {hx, -hy, 0}}};
}

bool FlipGeometry::stepAngle(bool appear) {
  if (appear && angle_ < 180) {
    angle_ = std::min(angle_ + 7, 180);
  } else if (!appear && angle_ > 0) {
    angle_ -= 5;
    if (angle_ < 0) angle_ = 0;
  } else {
    angle_ = 0;
  }
  return appear ? angle_ >= 180 : angle_ <= 0;
}

std::array<PointI, 4> FlipGeometry::projectedCorners(bool otherWay) const {
  // Past 90 degrees the back of the card faces the viewer: turn it round
  // so the snapshot is never shown mirrored.
  const double degrees = angle_ <= 90 ? angle_ : angle_ + 180;
  const double theta = (otherWay ? -degrees : degrees) * kPi / 180.0;
  const double distance = kViewerFactor * (width_ + height_);
  const int centreX = width_ / 2, centreY = height_ / 2;
  std::array<PointI, 4> projected{};
  for (size_t i = 0; i < corners_.size(); ++i) {
    const auto& [x, y, z] = corners_[i];
    const double zTurned = x * std::sin(theta) + z * std::cos(theta);
    const double xTurned = x * std::cos(theta) - z * std::sin(theta);
    const double scale = distance / (distance + zTurned);
    if (scale < kBehindViewer) {
      projected[i] = {0, 0};
      continue;
    }
    projected[i] = {static_cast<int>(std::trunc(scale * xTurned)) + centreX,
                    static_cast<int>(std::trunc(scale * y)) + centreY};
  }
  return projected;
}

std::vector<PointI> FlipGeometry::edgePoints(PointI from, PointI to) {
  // Bresenham's walk: every pixel of the edge once, from `from` to `to`.
  std::vector<PointI> points;
  int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
  int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  PointI p = from;
  for (;;) {
    points.push_back(p);
    if (p == to) break;
    int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      p.x += sx;
    }
    if (twice <= dx) {
      error += dx;
      p.y += sy;
    }
  }
  return points;
}

}  // namespace talvek
