// A plain (not layered) form with a one-colour background for tests that
// read what controls leave in its canvas.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/ControlRegistry.h"

namespace talvek::test {

class ControlsOnForm : public PlainFormTest {
 protected:
  Argb shown(int x, int y) const { return form.canvas().pixel(x, y); }
  Argb background(int x, int y) const { return form.backgroundCanvas().pixel(x, y); }
  // The pixels of area in the canvas, row by row, to compare two moments.
  std::vector<Argb> picture(const Rect& area) const {
    std::vector<Argb> pixels;
    for (int y = area.y; y < area.y + area.height; ++y)
      for (int x = area.x; x < area.x + area.width; ++x) pixels.push_back(shown(x, y));
    return pixels;
  }
};

}  // namespace talvek::test
