// The three-dimensional flip of a window snapshot about its vertical axis:
// the angle walk and the perspective projection of the window's corners.
#pragma once

#include <array>
#include <vector>

namespace talvek {

struct PointI {
  int x, y;
  bool operator==(const PointI&) const = default;
};

class FlipGeometry {
 public:
  // Corners relative to the window centre: top left, bottom left, bottom
  // right, top right.
  void setSize(int width, int height);

  // Appear: +7 degrees up to 180; disappear: -5 down to 0; anything else
  // restarts at 0. True when the walk has reached its end (180 or 0).
  bool stepAngle(bool appear);
  int angle() const { return angle_; }
  void setAngle(int degrees) { angle_ = degrees; }

  // The projected corners in window coordinates, same order as setSize.
  // otherWay turns the card the opposite way round (the left edge comes
  // towards the viewer instead of the right).
  std::array<PointI, 4> projectedCorners(bool otherWay = false) const;

  // Integer walk along a projected edge, one point per pixel step.
  static std::vector<PointI> edgePoints(PointI from, PointI to);

 private:
  int width_ = 0, height_ = 0;
  int angle_ = 0;
  std::array<std::array<double, 3>, 4> corners_{};
};

}  // namespace talvek
