#include <gtest/gtest.h>

#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/RoundRect.h"
#include "toolkit/core/WindowShadow.h"

namespace talvek::test {
namespace {

class WindowShadowDrawing : public ::testing::Test {
 protected:
  void SetUp() override { startFormToolkitOnce(); }
};

TEST_F(WindowShadowDrawing, TheShadowStaysInItsRingForEveryRadius) {
  for (int radius : {0, 3, 8}) {
    MemoryCanvas canvas(120, 90);
    drawWindowShadow(canvas.graphics(), 0, 0, 120, 90, 0, radius);
    gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
    // Inside the body only its rounded corners may catch shadow.
    const int corner = radius + 1;
    EXPECT_EQ(pixelsNotEqual(canvas, {5 + corner, 5, 110 - 2 * corner, 80}, 0), 0) << radius;
    EXPECT_EQ(pixelsNotEqual(canvas, {5, 5 + corner, 110, 80 - 2 * corner}, 0), 0) << radius;
    EXPECT_GT(canvas.pixel(3, 45) >> 24, canvas.pixel(0, 45) >> 24) << "darker towards the body, radius " << radius;
    EXPECT_GT(canvas.pixel(60, 3) >> 24, 0u) << radius;
  }
}



}  // namespace
}  // namespace talvek::test
