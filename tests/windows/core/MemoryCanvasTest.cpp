// A canvas skips clearing memory nothing was drawn on; every way of drawing
// on it must count, or a later clear would leave the old picture behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/MemoryCanvas.h"

using namespace talvek;

namespace {

void startGdiplusForTheProcess() {
  static const bool started = GdiplusSession().release() != 0;
  ASSERT_TRUE(started);
}

constexpr int kWidth = 40;
constexpr int kHeight = 30;

bool everyPixelClear(const MemoryCanvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) != 0) return false;
    }
  }
  return true;
}

void fillThroughDc(HDC dc) {
  const RECT all{0, 0, kWidth, kHeight};
  HBRUSH brush = CreateSolidBrush(RGB(200, 10, 10));
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

TEST(MemoryCanvas, ANewCanvasIsClearAndEveryWayOfDrawingOnItIsClearedAfterwards) {
  startGdiplusForTheProcess();
  {
    const MemoryCanvas fresh(kWidth, kHeight);
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(everyPixelClear(fresh));
  }
  {
    // The DC kept from before the first clear still draws afterwards.
    MemoryCanvas canvas(kWidth, kHeight);
    const HDC kept = canvas.dc();
    canvas.clear();
    fillThroughDc(kept);
    EXPECT_FALSE(everyPixelClear(canvas));
    canvas.clear();
    EXPECT_TRUE(everyPixelClear(canvas));
  }
  {
    MemoryCanvas canvas(kWidth, kHeight);
    Gdiplus::GpSolidFill* rawBrush = nullptr;
    gdip::GdipCreateSolidFill(0xFF00FF00, &rawBrush);
    GdiplusBrush brush(rawBrush);
    gdip::GdipFillRectangleI(canvas.graphics(), brush.get(), 0, 0, kWidth, kHeight);
    gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
    canvas.clear();
    EXPECT_TRUE(everyPixelClear(canvas));
  }
  {
    MemoryCanvas source(kWidth, kHeight);
    fillThroughDc(source.dc());
    MemoryCanvas copied(kWidth, kHeight);
    ASSERT_TRUE(copied.copyRows(source, 0, 0, kHeight));
    EXPECT_FALSE(everyPixelClear(copied));
    copied.clear();
    EXPECT_TRUE(everyPixelClear(copied));
  }
  {
    // Moved with what was drawn on it.
    MemoryCanvas drawn(kWidth, kHeight);
    fillThroughDc(drawn.dc());
    MemoryCanvas moved = std::move(drawn);
    moved.clear();
    EXPECT_TRUE(everyPixelClear(moved));
  }
}

}  // namespace
