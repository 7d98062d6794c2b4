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

TEST_F(FormDrawing, PendingDrawingIsPresentedByTheTimer) {
  HWND window = form.hwnd();
  const auto pending = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom));
  setPresentPending(window, true);
  EXPECT_EQ(GetPropW(window, pending), reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(waitUntil([&] { return GetPropW(window, pending) == nullptr; }, 10000));

  // A control's rectangle is copied without redrawing anything.
  message_seal::sendUpdateRect(window, Rect{10, 10, 40, 20});
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(FormDrawing, AnIdleFormsPresentTimerRestsUntilSomethingIsDrawn) {
  HWND window = form.hwnd();
  int ticks = 0;
  form.setPreHook([&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_TIMER && wParam == form_timer::kPresent) ++ticks;
    return false;
  });
  waitUntil([] { return false; }, 200);  // what creation drew is presented
  ticks = 0;
  waitUntil([] { return false; }, 600);
  EXPECT_LE(ticks, 2) << "nothing drawn: the timer rests instead of ticking 20 times";

  setPresentPending(window, true);
  EXPECT_TRUE(waitUntil([&] { return !presentPending(window); }, 10000)) << "new drawing is presented";
  const int presentedAt = ticks;
  waitUntil([] { return false; }, 300);
  EXPECT_LE(ticks, presentedAt + 2) << "an idle tick, then the timer rests again";

  // The property alone, set the way its callers may set it, is still seen.
  SetPropW(window, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom)), reinterpret_cast<HANDLE>(1));
  EXPECT_TRUE(waitUntil([&] { return !presentPending(window); }, 3000)) << "a resting timer still presents";
  form.setPreHook(nullptr);
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
