// A form's frame copied from the one drawn before must be the frame that
// drawing would give now: after a resize, a new title, another icon.
#include <gtest/gtest.h>

#include <string>

#include "tests/windows/controls/TestCanvas.h"
#include "tests/windows/controls/TestColours.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/FrameCache.h"
#include "toolkit/core/ImageDecoder.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek::test {
namespace {

constexpr int kWidth = 300;

// Empty when alike, else where they first differ.
std::string difference(const MemoryCanvas& actual, const MemoryCanvas& expected) {
  if (actual.width() != expected.width() || actual.height() != expected.height()) return "sizes differ";
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        return "first at (" + std::to_string(x) + ", " + std::to_string(y) + ") of " +
               std::to_string(expected.width()) + " x " + std::to_string(expected.height());
      }
    }
  }
  return "";
}

std::string differenceFromDrawing(const MemoryCanvas& actual, const FrameLook& look) {
  MemoryCanvas drawn = MemoryCanvas::like(actual);
  drawFrame(drawn, look);
  return difference(actual, drawn);
}

class FrameCaching : public ::testing::Test {
 protected:
  void SetUp() override { startFormToolkitOnce(); }

  FrameLook look(bool shadow, int radius) const {
    FrameLook frame;
    frame.frameInset = shadow ? 5 : 0;
    frame.shadow = shadow;
    frame.cornerRadius = radius;
    frame.backgroundColor = 0xFF1C1C1C;
    frame.titleStyle = &titleStyle_;
    frame.title = u"WWWW 标题";
    frame.captionRect = {0, 0, 200, 20};
    frame.colour1 = kRed;
    frame.colour2 = kBlue;
    return frame;
  }
  // What the cache gives at a size, drawn into a canvas that held other
  // pixels before.
  // At a display scale of scale / 2, the form's canvas in pixels drawn in
  // units.
  MemoryCanvas painted(FrameCache& cache, const FrameLook& frame, int height, int scale = 2) const {
    MemoryCanvas canvas(kWidth * scale / 2, height * scale / 2);
    canvas.setDrawingSize(kWidth, height);
    gdip::GdipGraphicsClear(canvas.graphics(), kGreen);
    gdip::GdipFlush(canvas.graphics(), Gdiplus::FlushIntentionSync);
    cache.paint(canvas, frame);
    return canvas;
  }

  TextStyle titleStyle_ = TextStyle::build(
      describeTextStyle(style_flag::kAlignNear | style_flag::kLineNear, std::nullopt, 12, 0xFFFFFFFF, 0xFF00FFFF));
};

TEST_F(FrameCaching, EveryHeightGetsTheFrameDrawingWouldGive) {
  const GdiplusBitmap icon = decodeImage(solidPng(kGreen), 16, 16);
  for (bool shadow : {true, false}) {
    for (int radius : {0, 8}) {
      FrameLook frame = look(shadow, radius);
      frame.icon = radius ? icon.get() : nullptr;
      FrameCache cache;
      // Growing and shrinking in steps as the options do, a jump, and a
      // height too small for any middle rows.
      for (int height : {200, 210, 220, 350, 340, 330, 60, 200}) {
        EXPECT_EQ(differenceFromDrawing(painted(cache, frame, height), frame), "")
            << "shadow " << shadow << ", radius " << radius << ", height " << height;
      }
      // At 150 % and 200 % the stretched rows are counted in pixels. At
      // 200 % a frame drawn short is exactly the frame drawn whole. At 150 %
      // Wine's antialiasing shades the shadow's sides a few steps apart at
      // different heights drawn, so there the frame is the one drawn short
      // at every height, and a new cache's frame is the reference.
      for (int scale : {3, 4}) {
        FrameCache scaled;
        for (int height : {350, 360, 500, 352, 350}) {
          const MemoryCanvas canvas = painted(scaled, frame, height, scale);
          FrameCache fresh;
          EXPECT_EQ(scale % 2 ? difference(canvas, painted(fresh, frame, height, scale))
                              : differenceFromDrawing(canvas, frame),
                    "")
              << "scale " << scale << "/2, shadow " << shadow << ", radius " << radius << ", height " << height;
        }
      }
    }
  }
}

TEST_F(FrameCaching, AnythingElseChangedIsDrawnAgain) {
  FrameCache cache;
  FrameLook frame = look(true, 0);
  painted(cache, frame, 200);

  frame.title = u"MMMM";
  EXPECT_EQ(differenceFromDrawing(painted(cache, frame, 200), frame), "") << "a new title";
  frame.colour1 = kGreen;
  EXPECT_EQ(differenceFromDrawing(painted(cache, frame, 210), frame), "") << "another outline colour";
  frame.shadow = false;
  frame.frameInset = 0;
  EXPECT_EQ(differenceFromDrawing(painted(cache, frame, 210), frame), "") << "no shadow";
  frame.backgroundColor = kBlue;
  EXPECT_EQ(differenceFromDrawing(painted(cache, frame, 210), frame), "") << "another background";

  const int hint = textRenderingHint();
  textRenderingHint(hint == 0 ? 4 : 0);
  const std::string afterHint = differenceFromDrawing(painted(cache, frame, 210), frame);
  textRenderingHint(hint);
  EXPECT_EQ(afterHint, "") << "another text rendering";

  MemoryCanvas wider(kWidth + 40, 210);
  cache.paint(wider, frame);
  EXPECT_EQ(differenceFromDrawing(wider, frame), "") << "another width";
}

TEST_F(FrameCaching, AFormResizedShowsTheFrameOfItsNewSize) {
  Form form;
  FormCreateOptions options;
  options.rectangle = Rect{40, 40, kWidth, 200};
  options.styleFlags = 2;  // a close button over the frame
  options.titleText = u"WWWW";
  options.backgroundColor = 0xFF1C1C1C;
  form.create(options);
  form.layeredMode(true, true);
  form.repaintAll();

  for (int height : {210, 260, 250, 200}) {
    form.move(std::nullopt, std::nullopt, std::nullopt, height);
    Form fresh;
    options.rectangle = Rect{40, 40, kWidth, height};
    fresh.create(options);
    fresh.layeredMode(true, true);
    fresh.repaintAll();
    EXPECT_EQ(difference(form.backgroundCanvas(), fresh.backgroundCanvas()), "") << height;
    EXPECT_EQ(difference(form.canvas(), fresh.canvas()), "") << height;
    fresh.destroy();
  }

  // Its own icon replaced by another: the new one shows, though the old
  // one's address may have been given to it.
  form.setIconImage(solidPng(kGreen));
  form.repaintAll();
  form.setIconImage(solidPng(kRed));
  form.repaintAll();
  EXPECT_EQ(form.canvas().pixel(5 + 7, 5 + 6), kRed);
  form.destroy();
}

// A form resized in steps copies the rows it shares with the picture before
// and composes only the rest: each step must show what composing the whole
// window at that height shows, with translucent controls and text across
// the rows where copying stops.
class ComposedForm {
 public:
  // layeredFromStart: the controls compose one by one into the layered
  // picture as they are made, and nothing repaints it afterwards.
  explicit ComposedForm(int height, bool layeredFromStart = false) {
    FormCreateOptions options;
    options.rectangle = Rect{40, 40, kWidth, height};
    options.styleFlags = 2;
    options.titleText = u"WWWW";
    options.backgroundColor = 0xFF1C1C1C;
    options.layeredWithShadow = layeredFromStart;
    form.create(options);
    if (!layeredFromStart) form.layeredMode(true, true);
    const ControlRef id = form.objectId();
    EXPECT_TRUE(veil.create(id, {10, 60, 200, 300}, 0x80C04020));
    EXPECT_TRUE(inner.create(veil.handle, {20, 20, 100, 200}, 0x6020A0F0));
    EXPECT_TRUE(text.create(id, {30, 150, 240, 90}, "即将开启Talvek之旅 WWWW",
                            describeTextStyle(0, std::nullopt, 40, 0xD0FFFFFF, 0)));
    if (!layeredFromStart) form.repaintAll();
  }
  ~ComposedForm() {
    veil.unregister();  // with its child
    text.unregister();
    form.destroy();
  }

  Form form;
  Panel veil, inner;
  Label text;
};

TEST_F(FrameCaching, AFormResizedInStepsComposesWhatTheWholeWindowWould) {
  ComposedForm stepped(200);
  for (int height : {210, 230, 250, 270, 290, 330, 300, 260, 240, 205, 200}) {
    stepped.form.move(std::nullopt, std::nullopt, std::nullopt, height);
    ComposedForm whole(height);
    EXPECT_EQ(difference(stepped.form.canvas(), whole.form.canvas()), "") << height;
  }
}

TEST_F(FrameCaching, AFormLayeredFromTheStartShowsWhatSwitchingAfterItsControlsShows) {
  ComposedForm fromStart(300, true);
  ComposedForm switched(300);
  EXPECT_NE(GetWindowLongW(fromStart.form.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(fromStart.form.frameInset(), 5);
  EXPECT_EQ(difference(fromStart.form.canvas(), switched.form.canvas()), "");
}

}  // namespace
}  // namespace talvek::test
