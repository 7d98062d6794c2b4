#include <gtest/gtest.h>

#include "tests/native/toolkit/RecordingControl.h"
#include "tests/windows/TestSupport.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/CaptionButtonPainter.h"
#include "toolkit/core/ControlRegistry.h"

namespace talvek::test {
namespace {

constexpr Argb kBackground = 0xFF1C1C1C;

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

LPARAM centreOf(const Rect& r) { return at(r.x + r.width / 2, r.y + r.height / 2); }

std::vector<Argb> pixelsOf(const MemoryCanvas& canvas, const Rect& r) {
  std::vector<Argb> pixels;
  for (int y = r.y; y < r.y + r.height; ++y) {
    for (int x = r.x; x < r.x + r.width; ++x) pixels.push_back(canvas.pixel(x, y));
  }
  return pixels;
}

class FormCaption : public ::testing::Test {
 protected:
  void SetUp() override {
    startFormToolkitOnce();
    controlRegistry().clear();
    FormCreateOptions options;
    options.rectangle = Rect{60, 40, 400, 260};
    options.styleFlags = 47;  // centre, caption buttons, maximise, minimise
    options.backgroundColor = kBackground;
    options.titleText = u"caption";
    options.colour1 = 0;  // no outlines through the buttons' top rows
    options.colour2 = 0;
    form.create(options);
    form.layeredMode(true, true);
    form.sizable(1);
    recorder.claimed = {WM_NCLBUTTONDOWN, WM_SYSCOMMAND};
    form.setPreHook(recorder.hook());
    form.setCaptionHandler([this](int type) {
      actions.push_back(type);
      return cancelActions;
    });
  }
  void TearDown() override {
    form.destroy();
    controlRegistry().clear();
  }

  Rect buttonRect(int index) const { return form.captionButtons().at(index).rect; }

  Form form;
  MessageRecorder recorder;
  std::vector<int> actions;
  bool cancelActions = true;
};

TEST_F(FormCaption, ButtonsAreLaidOutAndDrawnFromTheSkin) {
  ASSERT_EQ(form.captionButtons().count(), 3);
  const auto sizes = captionButtonSizes();
  ASSERT_GT(sizes[caption::kClose - 1].width, 0) << "the built-in skin has caption images";
  const Rect close = buttonRect(1);
  EXPECT_EQ(close.x, 400 - sizes[0].width - 5 - 1 - 10);
  EXPECT_EQ(close.y, 5);
  EXPECT_EQ(buttonRect(2).x, close.x - sizes[1].width);
  EXPECT_EQ(form.captionRect().width, 400 - form.captionButtons().totalWidth() - 10 - 10);
  EXPECT_GT(form.captionRect().height, 0);

  // The glyphs are on the canvas, not in the background canvas.
  EXPECT_GT(pixelsNotEqual(form.canvas(), close, kBackground), 0);
  EXPECT_EQ(pixelsNotEqual(form.backgroundCanvas(), close, kBackground), 0);
  // Between the title and the buttons nothing is drawn.
  EXPECT_EQ(pixelsNotEqual(form.canvas(), {close.x - 150, 30, 100, 40}, kBackground), 0);
}

TEST_F(FormCaption, PressingAButtonAndReleasingElsewhereDoesNothing) {
  HWND window = form.hwnd();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(buttonRect(1)));
  EXPECT_EQ(GetCapture(), window);
  SendMessageW(window, WM_LBUTTONUP, 0, centreOf(buttonRect(2)));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, centreOf(buttonRect(1)));
  SendMessageW(window, WM_LBUTTONUP, 0, at(200, 150));
  EXPECT_TRUE(actions.empty());
  EXPECT_NE(GetCapture(), window);

  // High on the button, inside the top resize band: the button wins.
  const Rect close = buttonRect(1);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(close.x + 10, close.y + 2));
  SendMessageW(window, WM_LBUTTONUP, 0, at(close.x + 10, close.y + 2));
  EXPECT_EQ(actions, std::vector<int>{caption::kClose});
  EXPECT_EQ(recorder.count(WM_SYSCOMMAND), 0);
  EXPECT_TRUE(IsWindow(window)) << "the handler cancelled the close";
}

TEST_F(FormCaption, AHoverFadeEndsOnTheHotImageWithinItsTicks) {
  const Rect close = buttonRect(1);
  const Argb before = form.canvas().pixel(close.x + close.width / 2, close.y + close.height / 2);
  SendMessageW(form.hwnd(), WM_MOUSEMOVE, 0, centreOf(close));
  EXPECT_EQ(form.captionButtons().at(1).state, caption::kHot);
  // 13 ticks of at least 5 ms; Wine's timers are coarser, so allow time.
  ASSERT_TRUE(waitUntil([&] { return form.captionButtons().at(1).shownState == caption::kHot; }, 15000));
  int fadeTicks = 0;
  for (size_t i = 0; i < recorder.seen.size(); ++i) {
    fadeTicks += recorder.seen[i] == WM_TIMER && LOWORD(recorder.wParams[i]) == form_timer::kCaptionFade ? 1 : 0;
  }
  EXPECT_EQ(fadeTicks, 13);
  EXPECT_EQ(form.captionButtons().at(1).fade, 0);
  EXPECT_NE(form.canvas().pixel(close.x + close.width / 2, close.y + close.height / 2), before)
      << "the hot image differs from the normal one";
}

TEST_F(FormCaption, MaximiseSwapsToRestoreAndBackAndBlocksDragAndResize) {
  cancelActions = false;
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  const Rect before = form.windowRect();
  const std::vector<Argb> maximiseGlyph = pixelsOf(form.canvas(), buttonRect(2));

  form.captionAction(caption::kMaximise);
  EXPECT_TRUE(form.maximised());
  EXPECT_EQ(form.captionButtons().at(2).type, caption::kRestore);
  EXPECT_EQ(form.width(), desktop.right - desktop.left);
  EXPECT_EQ(form.canvas().width(), desktop.right - desktop.left);
  // The restore glyph is drawn where the maximise glyph was.
  const std::vector<Argb> restoreGlyph = pixelsOf(form.canvas(), buttonRect(2));
  EXPECT_NE(restoreGlyph, maximiseGlyph);

  // Neither the drag band nor a border starts a system loop now.
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(100, 10));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, at(100, 10));
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(2, 200));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, at(2, 200));
  EXPECT_EQ(recorder.count(WM_NCLBUTTONDOWN), 0);
  EXPECT_EQ(recorder.count(WM_SYSCOMMAND), 0);

  form.captionAction(caption::kRestore);
  EXPECT_FALSE(form.maximised());
  EXPECT_EQ(form.captionButtons().at(2).type, caption::kMaximise);
  EXPECT_EQ(form.width(), before.width);
  EXPECT_EQ(form.windowRect().x, before.x);
  EXPECT_EQ(pixelsOf(form.canvas(), buttonRect(2)), maximiseGlyph);
}

TEST_F(FormCaption, TheDragBandDragsAndTheBordersResize) {
  HWND window = form.hwnd();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(100, 20));
  SendMessageW(window, WM_LBUTTONUP, 0, at(100, 20));
  EXPECT_EQ(recorder.count(WM_NCLBUTTONDOWN), 1);
  EXPECT_EQ(recorder.count(WM_SYSCOMMAND), 0);

  // Left border, then the bottom-right corner.
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 150));
  SendMessageW(window, WM_LBUTTONUP, 0, at(3, 150));
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(398, 258));
  SendMessageW(window, WM_LBUTTONUP, 0, at(398, 258));
  std::vector<WPARAM> commands;
  for (size_t i = 0; i < recorder.seen.size(); ++i) {
    if (recorder.seen[i] == WM_SYSCOMMAND) commands.push_back(recorder.wParams[i]);
  }
  EXPECT_EQ(commands, (std::vector<WPARAM>{0xF001, 0xF008}));

  // A form that cannot be resized drags from its band and nothing more.
  form.sizable(0);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 150));
  EXPECT_EQ(recorder.count(WM_SYSCOMMAND), 2);
  SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(60, 8));
  EXPECT_TRUE(actions.empty()) << "no double-click maximise without sizing";
  form.sizable(1);
  SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at(60, 8));
  EXPECT_EQ(actions, std::vector<int>{caption::kMaximise});
}

TEST_F(FormCaption, LockedFormsStayAndDragAnywhereFormsMoveFromFreePoints) {
  form.dragLocked(1);
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(100, 20));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, at(100, 20));
  EXPECT_EQ(recorder.count(WM_NCLBUTTONDOWN), 0) << "a locked form does not drag";

  form.destroy();
  FormCreateOptions options;
  options.rectangle = Rect{60, 40, 400, 260};
  options.styleFlags = 2;
  options.dragAnywhere = true;
  form.create(options);
  form.setPreHook(recorder.hook());
  std::vector<ReceivedEvent> log;
  RecordingControl control(log, form.hwnd(), Rect{20, 100, 80, 40}, form.objectId());
  controlRegistry().insertAt(controlRegistry().count() + 1, control.handle);

  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(200, 150));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, at(200, 150));
  EXPECT_EQ(recorder.count(WM_NCLBUTTONDOWN), 1) << "a free point of the body drags";
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(40, 120));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, at(40, 120));
  EXPECT_EQ(recorder.count(WM_NCLBUTTONDOWN), 1) << "a control's point belongs to the control";
  form.destroy();
}

}  // namespace
}  // namespace talvek::test
