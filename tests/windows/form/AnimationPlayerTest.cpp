#include "toolkit/core/AnimationPlayer.h"

#include <gtest/gtest.h>

#include "tests/windows/form/FormTestSupport.h"
#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "toolkit/core/RoundRect.h"

namespace talvek::test {
namespace {

constexpr int kWidth = 200, kHeight = 100;

class AnimationPlayerFrames : public ::testing::Test {
 protected:
  void SetUp() override {
    startFormToolkitOnce();
    window = Window(CreateWindowExW(WS_EX_LAYERED, L"RbSoft.RbUI.WindowClass.Window", L"", WS_POPUP, 10, 10, kWidth,
                                    kHeight, nullptr, nullptr, nullptr, nullptr));
    ASSERT_TRUE(window);
    // Left half red, right half blue, all opaque.
    fillRect(source.graphics(), 0xFFFF0000, 0, 0, kWidth / 2, kHeight);
    fillRect(source.graphics(), 0xFF0000FF, kWidth / 2, 0, kWidth / 2, kHeight);
    gdip::GdipFlush(source.graphics(), Gdiplus::FlushIntentionSync);
  }

  Window window;
  MemoryCanvas source{kWidth, kHeight};
  AnimationPlayer player;
};

TEST_F(AnimationPlayerFrames, AFlipFrameIsTheSnapshotInsideItsQuadAndNothingElse) {
  player.start(window.get(), source.dc(), 255);
  for (int i = 0; i < 7; ++i) player.step(kEffectFlip, true);  // 49 degrees
  ASSERT_EQ(player.flipAngle(), 49);
  const MemoryCanvas& frame = player.frame();
  ASSERT_EQ(frame.width(), kWidth);

  // Each column is either empty or one run of snapshot pixels, and the left
  // (red) part stays left of the right (blue) part.
  int lastRed = -1, firstBlue = kWidth, emptyColumns = 0;
  for (int x = 0; x < kWidth; ++x) {
    const Argb middle = frame.pixel(x, kHeight / 2);
    if (middle == 0) ++emptyColumns;
    if (middle == 0xFFFF0000) lastRed = x;
    if (middle == 0xFF0000FF && x < firstBlue) firstBlue = x;
    EXPECT_TRUE(middle == 0 || middle == 0xFFFF0000 || middle == 0xFF0000FF) << x;
    EXPECT_EQ(frame.pixel(x, 0) >> 24 == 0 || frame.pixel(x, 0) == middle, true) << x;
  }
  EXPECT_GT(emptyColumns, 20) << "the turned card is narrower than the window";
  EXPECT_LT(lastRed, firstBlue);

  // A fresh frame leaves nothing of the previous one behind.
  for (int i = 0; i < 7; ++i) player.step(kEffectFlip, true);
  int opaque = 0;
  for (int x = 0; x < kWidth; ++x) opaque += player.frame().pixel(x, kHeight / 2) != 0 ? 1 : 0;
  EXPECT_LT(opaque, kWidth - emptyColumns) << "closer to edge-on, the card covers fewer columns";
}

TEST_F(AnimationPlayerFrames, TheZoomFrameShrinksTheSnapshot) {
  player.start(window.get(), source.dc(), 255);
  player.step(kEffectZoom, false);  // one tenth smaller
  player.step(kEffectZoom, false);  // two tenths
  const MemoryCanvas& frame = player.frame();
  EXPECT_NE(frame.pixel(10, 10), 0u);
  EXPECT_EQ(frame.pixel(kWidth - 5, 10), 0u) << "outside the 80 % frame";
}

}  // namespace
}  // namespace talvek::test
