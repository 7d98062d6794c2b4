#include <gtest/gtest.h>

#include <memory>

#include "tests/native/toolkit/RecordingControl.h"
#include "tests/windows/TestSupport.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/MessageSeal.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {

class FormDrawing : public PlainFormTest {
 protected:
  FormDrawing() : PlainFormTest(Rect{30, 30, 300, 180}) {}
};

TEST_F(FormDrawing, ARebuildAsksTheFormsOwnControlsInPaintingOrder) {
  std::vector<ReceivedEvent> log;
  RecordingControl parent(log, form.hwnd(), {10, 10, 100, 50}, form.objectId(), 1);
  RecordingControl child(log, form.hwnd(), {20, 20, 30, 20}, parent.handle, 2);
  RecordingControl stranger(log, nullptr, {0, 0, 10, 10}, 0, 1);
  controlRegistry().insertAt(1, parent.handle);
  controlRegistry().insertAt(1, child.handle);
  controlRegistry().insertAt(1, stranger.handle);  // another window's run in front

  form.repaintAll();
  std::vector<ReceivedEvent> composed;
  for (const ReceivedEvent& e : log) {
    if (e.code == control_event::kComposeIntoWindow) composed.push_back(e);
  }
  EXPECT_EQ(composed, (std::vector<ReceivedEvent>{{parent.handle, 7}, {child.handle, 7}}));
}

LPCWSTR presentPendingName() { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom)); }

TEST_F(FormDrawing, PendingDrawingIsPresentedByTheTimer) {
  HWND window = form.hwnd();
  setPresentPending(window, true);
  EXPECT_EQ(GetPropW(window, presentPendingName()), reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(waitUntil([&] { return GetPropW(window, presentPendingName()) == nullptr; }, 10000));
}

// Work that keeps the thread busy gives the window short turns; what it drew
// in one is shown before the work goes on, not at a timer tick due later.
TEST_F(FormDrawing, PendingDrawingIsPresentedAtOnceWhenAsked) {
  HWND window = form.hwnd();
  setPresentPending(window, true);
  EXPECT_TRUE(form.presentWhatIsPending());
  EXPECT_FALSE(presentPending(window));
  EXPECT_FALSE(form.presentWhatIsPending()) << "nothing drawn since";
}

TEST_F(FormDrawing, AnUpdateRectangleIsCopiedAloneWithoutRedrawing) {
  HWND window = form.hwnd();
  std::vector<ReceivedEvent> log;
  RecordingControl control(log, window, {10, 10, 100, 50}, form.objectId(), 1);
  controlRegistry().insertAt(1, control.handle);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  waitUntil([] { return false; }, 100);
  log.clear();

  // New pixels in the canvas, of which the message shows only its rectangle.
  const Rect area{10, 10, 40, 20};
  const HBRUSH brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT whole{0, 0, form.width(), form.height()};
  FillRect(form.canvas().dc(), &whole, brush);
  GdiFlush();
  message_seal::sendUpdateRect(window, area);

  HDC screen = GetDC(window);
  const COLORREF inside = GetPixel(screen, area.x + 5, area.y + 5);
  const COLORREF outside = GetPixel(screen, area.x + area.width + 20, area.y + 5);
  ReleaseDC(window, screen);
  EXPECT_EQ(inside, RGB(255, 255, 255)) << "the rectangle reaches the window";
  EXPECT_NE(outside, RGB(255, 255, 255)) << "nothing beside it is copied";
  EXPECT_TRUE(log.empty()) << "no control is asked to draw";
}

TEST_F(FormDrawing, AnIdleFormsPresentTimerRestsUntilSomethingIsDrawn) {
  HWND window = form.hwnd();
  EXPECT_TRUE(waitUntil([&] { return form.presentTimerResting(); }, 3000)) << "nothing drawn: the timer rests";
  EXPECT_EQ(GetPropW(window, presentPendingName()), nullptr) << "the flag only ever holds 0 or 1";

  setPresentPending(window, true);
  EXPECT_FALSE(form.presentTimerResting()) << "drawing brings the pace back at once";
  EXPECT_TRUE(waitUntil([&] { return !presentPending(window); }, 3000)) << "new drawing is presented";
  EXPECT_TRUE(waitUntil([&] { return form.presentTimerResting(); }, 3000)) << "an idle tick, then it rests again";

  // The property alone, set the way its callers may set it, is still seen;
  // and the drawing that goes on afterwards is presented at its pace again.
  SetPropW(window, presentPendingName(), reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(waitUntil([&] { return !presentPending(window); }, 3000)) << "a resting timer still presents";
  setPresentPending(window, true);
  EXPECT_FALSE(form.presentTimerResting()) << "a ring keeps turning after a flag set directly";
}

TEST_F(FormDrawing, AWindowShownAgainGetsItsPictureWhileTheTimerRests) {
  HWND window = form.hwnd();
  form.layeredMode(true, false, true);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(waitUntil([&] { return form.showsItsPicture() && form.presentTimerResting(); }, 3000));

  ShowWindow(window, SW_HIDE);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(waitUntil([&] { return form.showsItsPicture(); }, 3000)) << "shown with ShowWindow";

  ASSERT_TRUE(waitUntil([&] { return form.presentTimerResting(); }, 3000));
  ShowWindow(window, SW_HIDE);
  SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(waitUntil([&] { return form.showsItsPicture(); }, 3000)) << "shown with SetWindowPos";
}

TEST_F(FormDrawing, TheCornerRadiusShapesTheWindowAndFollowsItsSize) {
  HWND window = form.hwnd();
  GdiObject region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(window, static_cast<HRGN>(region.get())), ERROR) << "rectangular to begin with";

  EXPECT_EQ(form.cornerRadius(12), 12);
  EXPECT_NE(GetWindowRgn(window, static_cast<HRGN>(region.get())), ERROR);
  form.move(std::nullopt, std::nullopt, 360, 220);
  RECT box{};
  GetWindowRgn(window, static_cast<HRGN>(region.get()));
  GetRgnBox(static_cast<HRGN>(region.get()), &box);
  // Round-rect regions leave out their right and bottom edge.
  EXPECT_EQ(box.right, 359);
  EXPECT_EQ(box.bottom, 219);

  form.regionOn(false);
  EXPECT_EQ(GetWindowRgn(window, static_cast<HRGN>(region.get())), ERROR);
  form.regionOn(true);
  EXPECT_NE(GetWindowRgn(window, static_cast<HRGN>(region.get())), ERROR);
  form.cornerRadius(0);
  EXPECT_EQ(GetWindowRgn(window, static_cast<HRGN>(region.get())), ERROR);
}

TEST_F(FormDrawing, AccessorsReachTheWindow) {
  EXPECT_FALSE(form.disabled());
  EXPECT_TRUE(form.disabled(true));
  EXPECT_FALSE(form.disabled(false));
  EXPECT_TRUE(form.topmost(true));
  EXPECT_FALSE(form.topmost(false));
  form.move(5, 6, std::nullopt, std::nullopt);
  EXPECT_EQ(form.windowRect().x, 5);
  EXPECT_EQ(form.windowRect().y, 6);
  EXPECT_EQ(form.width(), 300);
  EXPECT_EQ(form.showEffect(3, 0), 3);
  EXPECT_EQ(form.closeEffect(), 0);
  // Without Windows 7 there is no blur behind.
  EXPECT_EQ(form.blurBehind(true, 4), osVersion == 6);
}

}  // namespace
}  // namespace talvek::test
