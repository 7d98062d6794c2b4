#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "tests/windows/controls/TestColours.h"
#include "tests/windows/controls/TestCanvas.h"
#include "toolkit/controls/ControlPlacement.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ToolkitGlobals.h"
#include "toolkit/core/ToolkitSettings.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {


// A control that fills itself with one colour and records its hooks.
class ProbeControl final : public Control {
 public:
  ~ProbeControl() override { unregister(); }
  bool create(ControlRef parentRef, const Rect& area, Argb fill, int handCursor = 0) {
    colour = fill;
    if (!initControl(parentRef, area, u"", 1, 1, 0, handCursor)) return false;
    redraw();
    return true;
  }

  Argb colour = 0;
  int moves = 0;
  int resizes = 0;
  std::vector<int> enabledArgs;
  std::vector<std::vector<std::intptr_t>> heard;  // sender, code, arg1
  static inline std::vector<std::vector<std::intptr_t>> focusLog;  // control, code, other
  int ticks = 0;
  int tickCost = 0;  // milliseconds each tick takes
  std::vector<int> frameAlphas;
  int paints = 0;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override {
    ++paints;
    Gdiplus::GpSolidFill* fill = nullptr;
    if (gdip::GdipCreateSolidFill(colour, &fill) != Gdiplus::Ok) return;
    gdip::GdipFillRectangleI(graphics, fill, 0, 0, bounds().width, bounds().height);
    gdip::GdipDeleteBrush(fill);
  }
  void fadeOutFrame(Gdiplus::GpGraphics* graphics, int alpha, int) override {
    frameAlphas.push_back(alpha);
    gdip::GdipGraphicsClear(graphics, alpha == 255 ? kBlue : kGreen);
  }
  void onMoved() override { ++moves; }
  void onResized() override { ++resizes; }
  void onEnabledChanged(int enabled) override { enabledArgs.push_back(enabled); }
  void onFocusGained(ControlRef previous) override { focusLog.push_back({handle, 3, previous}); }
  void onFocusLost(ControlRef next) override { focusLog.push_back({handle, 4, next}); }
  void onTimer(int key, int value) override {
    if (tickCost > 0) Sleep(tickCost);
    if (key == 5 && value == 77) ++ticks;
  }
  void onListenedEvent(ControlRef sender, const OwnerEventRecord& record) override {
    heard.push_back({sender, record.code, record.args[0]});
  }
};

using ControlComposition = ControlsOnForm;

TEST_F(ControlComposition, LaterSiblingsArePaintedOverEarlierOnesWhicheverIsRedrawn) {
  Panel first, second;
  ASSERT_TRUE(first.create(form.objectId(), {20, 20, 60, 40}, kRed));
  ASSERT_TRUE(second.create(form.objectId(), {50, 30, 60, 40}, kGreen));
  EXPECT_EQ(shown(25, 25), kRed);
  EXPECT_EQ(shown(60, 40), kGreen);
  EXPECT_EQ(shown(100, 60), kGreen);

  // Redrawing the one underneath must not cover the later one.
  first.redraw();
  EXPECT_EQ(shown(60, 40), kGreen);
  EXPECT_EQ(shown(25, 25), kRed);
  EXPECT_FALSE(first.create(form.objectId(), {0, 0, 5, 5}, kBlue));  // created already
}

TEST_F(ControlComposition, ChildrenLieBeforeTheirParentAndGoWithIt) {
  Panel parent, older, younger;
  ASSERT_TRUE(parent.create(form.objectId(), {10, 10, 200, 150}, kRed));
  ASSERT_TRUE(older.create(parent.handle, {10, 10, 50, 50}, kGreen));
  ASSERT_TRUE(younger.create(parent.handle, {40, 40, 50, 50}, kBlue));
  EXPECT_LT(younger.registryIndex(), older.registryIndex());
  EXPECT_LT(older.registryIndex(), parent.registryIndex());
  EXPECT_LT(parent.registryIndex(), controlRegistry().indexOf(form.objectId()));
  EXPECT_EQ(older.depth, 2);
  EXPECT_EQ(shown(60, 60), kBlue);  // child coordinates are relative to the parent

  parent.unregister();
  EXPECT_EQ(older.handle, 0);
  EXPECT_EQ(younger.handle, 0);
  EXPECT_EQ(controlRegistry().count(), 1);
  EXPECT_FALSE(older.created());
}

TEST_F(ControlComposition, ReparentingAndRestackingChangeWhereAndInWhichOrderControlsPaint) {
  Panel left, right, child;
  ASSERT_TRUE(left.create(form.objectId(), {10, 10, 100, 100}, kRed));
  ASSERT_TRUE(right.create(form.objectId(), {150, 10, 100, 100}, kBlue));
  ASSERT_TRUE(child.create(left.handle, {10, 10, 20, 20}, kGreen));
  ASSERT_EQ(shown(25, 25), kGreen);

  EXPECT_FALSE(left.setParent(child.handle));  // into its own subtree
  EXPECT_TRUE(child.setParent(right.handle));
  EXPECT_EQ(shown(25, 25), kRed);    // the old place shows the old parent again
  EXPECT_EQ(shown(165, 25), kGreen);  // placed relative to the new parent
  EXPECT_LT(child.registryIndex(), right.registryIndex());
  EXPECT_EQ(child.registryIndex() + 1, right.registryIndex());
  EXPECT_EQ(child.parent, right.handle);

  // Overlapping siblings: the later one is on top until restacked.
  Panel under, over;
  ASSERT_TRUE(under.create(form.objectId(), {10, 150, 60, 40}, kRed));
  ASSERT_TRUE(over.create(form.objectId(), {40, 150, 60, 40}, kBlue));
  ASSERT_EQ(shown(55, 160), kBlue);
  under.setStacking(Control::kStackTop);
  EXPECT_EQ(shown(55, 160), kRed);
  under.setStacking(Control::kStackBottom);
  over.redraw();
  EXPECT_EQ(shown(55, 160), kBlue);
}

TEST_F(ControlComposition, AHiddenParentHidesItsChildren) {
  Panel parent, child;
  ASSERT_TRUE(parent.create(form.objectId(), {20, 20, 100, 80}, kRed));
  ASSERT_TRUE(child.create(parent.handle, {10, 10, 30, 30}, kGreen));
  ASSERT_EQ(shown(40, 40), kGreen);

  parent.visible(0);
  EXPECT_EQ(shown(40, 40), background(40, 40));
  EXPECT_EQ(shown(100, 80), background(100, 80));
  EXPECT_FALSE(child.isShown());

  // A change made while hidden shows once the parent is shown again.
  const int before = animatedTransitions();
  animatedTransitions(0);
  child.setBackColor(kBlue);
  animatedTransitions(before);
  EXPECT_EQ(shown(40, 40), background(40, 40));

  parent.visible(1);
  EXPECT_EQ(shown(40, 40), kBlue);
  EXPECT_EQ(shown(100, 80), kRed);
}

TEST_F(ControlComposition, MovingRestoresWhatWasUnderTheOldArea) {
  Panel below;
  ProbeControl mover;
  ASSERT_TRUE(below.create(form.objectId(), {0, 0, 40, 200}, kBlue));
  ASSERT_TRUE(mover.create(form.objectId(), {20, 20, 40, 40}, kRed));
  ASSERT_EQ(shown(30, 30), kRed);

  EXPECT_TRUE(mover.move(120, std::nullopt, std::nullopt, std::nullopt));
  EXPECT_EQ(shown(30, 30), kBlue);                // the earlier sibling comes back
  EXPECT_EQ(shown(50, 30), background(50, 30));  // and the form's background
  EXPECT_EQ(shown(130, 30), kRed);
  EXPECT_EQ(mover.moves, 1);
  EXPECT_EQ(mover.resizes, 0);

  // Same place, same size: nothing happens.
  EXPECT_FALSE(mover.move(120, 20, 40, 40));
  EXPECT_EQ(mover.moves, 1);

  EXPECT_TRUE(mover.move(std::nullopt, std::nullopt, 80, std::nullopt));
  EXPECT_EQ(mover.resizes, 1);
  EXPECT_EQ(mover.surface().width(), 80);
  EXPECT_EQ(shown(190, 30), kRed);
}

TEST_F(ControlComposition, EnablingReportsOneAndDisablingZero) {
  ProbeControl probe;
  ASSERT_TRUE(probe.create(form.objectId(), {10, 10, 20, 20}, kRed));
  probe.disabled(1);
  EXPECT_TRUE(probe.isDisabled());
  probe.disabled(0);
  EXPECT_FALSE(probe.isDisabled());
  EXPECT_EQ(probe.enabledArgs, (std::vector<int>{0, 1}));
}

TEST_F(ControlComposition, OwnerEventsReachTheListenerWithOrWithoutAProcedure) {
  ProbeControl sender, listener;
  ASSERT_TRUE(sender.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(listener.create(form.objectId(), {40, 10, 20, 20}, kGreen));
  sender.setListener(listener.handle);

  EXPECT_EQ(sender.fireEvent(1, 0x00050003), 0);
  ASSERT_EQ(listener.heard.size(), 1u);
  EXPECT_EQ(listener.heard[0], (std::vector<std::intptr_t>{sender.handle, 1, 0x00050003}));

  std::vector<int> procCodes;
  HWND procWindow = nullptr;
  sender.setEventProc([&](HWND window, ControlRef from, int code, std::intptr_t, std::intptr_t, std::intptr_t,
                          std::intptr_t, std::intptr_t) {
    procWindow = window;
    procCodes.push_back(from == sender.handle ? code : -1);
    return 42;
  });
  EXPECT_EQ(sender.fireEvent(12, 7), 42);
  EXPECT_EQ(procCodes, (std::vector<int>{12}));
  EXPECT_EQ(procWindow, form.hwnd());
  EXPECT_EQ(listener.heard.size(), 2u);
}

TEST_F(ControlComposition, TabWrapsFromTheFirstEntryToTheLast) {
  ProbeControl a, b, c;  // registry order: c, b, a
  ASSERT_TRUE(a.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(b.create(form.objectId(), {40, 10, 20, 20}, kRed));
  ASSERT_TRUE(c.create(form.objectId(), {70, 10, 20, 20}, kRed));
  ProbeControl::focusLog.clear();
  EXPECT_TRUE(c.setFocus());
  EXPECT_FALSE(c.setFocus());  // already there: no events
  EXPECT_EQ(ProbeControl::focusLog.size(), 1u);

  c.onEvent(event::kKeyDown, 9, 0);
  EXPECT_EQ(readRefProperty(form.hwnd(), kFocusProperty), a.handle);
  a.onEvent(event::kKeyDown, 9, 0);
  EXPECT_EQ(readRefProperty(form.hwnd(), kFocusProperty), b.handle);
  EXPECT_EQ(ProbeControl::focusLog[1], (std::vector<std::intptr_t>{a.handle, 3, c.handle}));
  EXPECT_EQ(ProbeControl::focusLog[2], (std::vector<std::intptr_t>{c.handle, 4, a.handle}));

  // A destroyed control leaves no stale focus behind.
  b.unregister();
  EXPECT_EQ(readRefProperty(form.hwnd(), kFocusProperty), 0);
}

TEST_F(ControlComposition, TimersTickUntilKilledOrDestroyed) {
  ProbeControl probe;
  ASSERT_TRUE(probe.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(probe.setTimer(5, 10, 77));
  EXPECT_TRUE(waitUntil([&] { return probe.ticks >= 2; }, 3000));
  probe.killTimer(5);
  const int ticks = probe.ticks;
  waitUntil([] { return false; }, 150);
  EXPECT_EQ(probe.ticks, ticks);

  // Fast ticks arrive on the UI thread too, and stopping them while they
  // run does not wait for ever.
  probe.ticks = 0;
  ASSERT_TRUE(probe.setFastTimer(5, 5, 77));
  EXPECT_TRUE(waitUntil([&] { return probe.ticks >= 3; }, 3000));
  probe.killFastTimer(5);
  waitUntil([] { return false; }, 60);
  const int fastTicks = probe.ticks;
  waitUntil([] { return false; }, 100);
  EXPECT_EQ(probe.ticks, fastTicks);

  ASSERT_TRUE(probe.setTimer(5, 10, 77));
  ASSERT_TRUE(probe.setFastTimer(6, 5, 0));
  probe.unregister();
  waitUntil([] { return false; }, 150);  // ticks for a destroyed control go nowhere
  EXPECT_EQ(probe.handle, 0);
}

TEST_F(ControlComposition, TipsCaptionsAndExtrasBelongToTheControlUntilItGoes) {
  ProbeControl probe;
  ASSERT_TRUE(probe.create(form.objectId(), {10, 10, 40, 20}, kRed));
  probe.setTip("提示");
  ASSERT_TRUE(probe.tip().exists());
  const HWND tipWindow = probe.tip().window();
  EXPECT_TRUE(IsWindow(tipWindow));
  probe.setTip("");
  EXPECT_FALSE(probe.tip().exists());
  EXPECT_FALSE(IsWindow(tipWindow));

  probe.setCaptionAnsi("中文ab");
  EXPECT_EQ(probe.captionLength(), 4);
  EXPECT_EQ(probe.captionAnsi(), "中文ab");
  probe.setExtra(u"x", std::nullopt);
  probe.setExtra(std::nullopt, 9);
  EXPECT_EQ(probe.extraText(), u"x");
  EXPECT_EQ(probe.extraValue(), 9);

  probe.setTip("again");
  const HWND again = probe.tip().window();
  probe.unregister();
  EXPECT_FALSE(IsWindow(again));
  EXPECT_EQ(probe.captionLength(), 0);
}

TEST_F(ControlComposition, AFormRebuildingItsCanvasKeepsItsControls) {
  Panel panel;
  ASSERT_TRUE(panel.create(form.objectId(), {20, 20, 40, 40}, kRed));
  form.repaintAll();
  EXPECT_EQ(shown(30, 30), kRed);
}

TEST_F(ControlComposition, AFastTimerSlowerThanItsIntervalLeavesRoomForWindowTimers) {
  // One fast timer ticks every 5 ms but takes 25 ms; the other control has
  // a window timer.
  ProbeControl slow, plain;
  ASSERT_TRUE(slow.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(plain.create(form.objectId(), {40, 10, 20, 20}, kRed));
  slow.tickCost = 25;
  ASSERT_TRUE(slow.setFastTimer(5, 5, 77));
  ASSERT_TRUE(plain.setTimer(5, 20, 77));
  MSG message;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 800 && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  slow.killFastTimer(5);
  plain.killTimer(5);
  EXPECT_GE(slow.ticks, 10);
  EXPECT_GE(plain.ticks, 5) << "window timers starved by queued fast ticks";
}

TEST_F(ControlComposition, AFormThatGrowsShowsTheControlsItCutOffBefore) {
  // The form is 200 high: a panel at y 220 and its child lie outside it.
  Panel below, child;
  ASSERT_TRUE(below.create(form.objectId(), {20, 220, 60, 40}, kRed));
  ASSERT_TRUE(child.create(below.handle, {10, 10, 20, 20}, kBlue));
  EXPECT_TRUE(isEmptyRect(below.visibleRect));

  form.move(std::nullopt, std::nullopt, std::nullopt, 300);
  EXPECT_EQ(shown(25, 225), kRed);
  EXPECT_EQ(shown(35, 235), kBlue);

  form.move(std::nullopt, std::nullopt, std::nullopt, 200);
  EXPECT_TRUE(isEmptyRect(below.visibleRect));
  EXPECT_TRUE(isEmptyRect(child.visibleRect));
}

TEST_F(ControlComposition, PointerEventsReachTheOwnerAndFollowTheCursorRules) {
  ProbeControl plain, hand;
  ASSERT_TRUE(plain.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(hand.create(form.objectId(), {40, 10, 20, 20}, kRed, 1));
  std::vector<std::pair<int, std::intptr_t>> owner;
  plain.setEventProc([&](HWND, ControlRef, int code, std::intptr_t arg1, std::intptr_t, std::intptr_t, std::intptr_t,
                         std::intptr_t) {
    owner.push_back({code, arg1});
    return 0;
  });
  const HCURSOR handCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
  const HCURSOR arrow = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  const int overrideBefore = cursorOverride;
  cursorOverride = 0;

  SetCursor(arrow);
  plain.onEvent(event::kMouseEnter, 0, 0);  // every control shows the hand until a leave
  EXPECT_EQ(GetCursor(), handCursor);
  plain.onEvent(event::kLeftDown, 0x00060005, 0);
  plain.onEvent(event::kLeftUp, 0x00060005, 0);
  plain.onEvent(event::kMouseLeave, 0, 0);
  EXPECT_EQ(cursorOverride, 1);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(form.hwnd(), GCLP_HCURSOR)), arrow);
  EXPECT_EQ(owner, (std::vector<std::pair<int, std::intptr_t>>{{13, 0}, {2, 0x00060005}, {3, 0x00060005}, {14, 0}}));

  SetCursor(arrow);
  plain.onEvent(event::kMouseEnter, 0, 0);
  EXPECT_EQ(GetCursor(), arrow);
  hand.onEvent(event::kMouseMove, 0x00030003, 0);
  EXPECT_EQ(GetCursor(), handCursor);

  hand.captureMouse();
  EXPECT_EQ(readRefProperty(form.hwnd(), kCaptureProperty), hand.handle);
  hand.releaseMouse();
  EXPECT_EQ(readRefProperty(form.hwnd(), kCaptureProperty), 0);
  cursorOverride = overrideBefore;
}

TEST_F(ControlComposition, ARedrawAsksAPlainFormForItsAreaAndMarksALayeredOnePending) {
  MessageRecorder recorder;
  form.setPreHook(recorder.hook());
  Panel panel;
  ASSERT_TRUE(panel.create(form.objectId(), {20, 20, 40, 40}, kRed));
  ASSERT_NE(updateRectMessage, 0u);
  const int before = recorder.count(updateRectMessage);
  panel.redraw();
  EXPECT_EQ(recorder.count(updateRectMessage), before + 1);

  const auto pending = reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(kPresentPendingAtom));
  form.layeredMode(true);
  SetPropW(form.hwnd(), pending, nullptr);
  const int plainRequests = recorder.count(updateRectMessage);
  panel.redraw();
  EXPECT_EQ(GetPropW(form.hwnd(), pending), reinterpret_cast<HANDLE>(1));
  EXPECT_EQ(recorder.count(updateRectMessage), plainRequests);
  form.setPreHook(nullptr);
}

TEST_F(ControlComposition, APaintPutOffUntilTheLayeredWindowPresentsHappensOnceThereAtTheLatestLook) {
  ProbeControl probe;
  ASSERT_TRUE(probe.create(form.objectId(), {20, 20, 40, 40}, kRed));
  probe.colour = kGreen;
  probe.redrawAtPresent();
  EXPECT_EQ(shown(30, 30), kGreen) << "a plain window copies the area at once: nothing waits";

  form.layeredMode(true);
  const int paints = probe.paints;
  for (Argb colour : {kRed, kBlue, kRed, kBlue}) {
    probe.colour = colour;
    probe.redrawAtPresent();
  }
  EXPECT_EQ(probe.paints, paints);
  EXPECT_EQ(shown(30, 30), kGreen) << "nothing drawn before the present";
  EXPECT_TRUE(presentPending(form.hwnd()));
  form.present({});
  EXPECT_EQ(probe.paints, paints + 1);
  EXPECT_EQ(shown(30, 30), kBlue);
  form.present({});
  EXPECT_EQ(probe.paints, paints + 1) << "paid once";

  // A fade begun since paints its own frames: the present must not put
  // the surface over the picture the fade starts from.
  const int animated = animatedTransitions();
  animatedTransitions(1);
  probe.colour = kRed;
  probe.redrawAtPresent();
  probe.fadeOutRedraw(1000, 0, 3);
  form.present({});
  EXPECT_EQ(shown(30, 30), kBlue);
  probe.killTimer(kFadeOutTimerKey);
  animatedTransitions(animated);
}

TEST_F(ControlComposition, APanelsNewColourFadesIn) {
  const int before = animatedTransitions();
  animatedTransitions(1);
  Panel panel;
  ASSERT_TRUE(panel.create(form.objectId(), {20, 20, 40, 40}, kRed));
  panel.setBackColor(kGreen);
  EXPECT_TRUE(panel.fadeRunning());
  EXPECT_TRUE(waitUntil([&] { return !panel.fadeRunning(); }, 5000));
  EXPECT_EQ(shown(30, 30), kGreen);
  animatedTransitions(before);
}

TEST_F(ControlComposition, ATransparentPanelShowsWhatLiesBelowAlsoAfterAFadeToOrFromIt) {
  const int before = animatedTransitions();
  ProbeControl below;
  ASSERT_TRUE(below.create(form.objectId(), {20, 20, 40, 40}, kRed));
  Panel panel;
  ASSERT_TRUE(panel.create(form.objectId(), {10, 10, 60, 60}, kGreen));
  EXPECT_EQ(shown(30, 30), kGreen);
  animatedTransitions(0);
  panel.setBackColor(0);
  EXPECT_EQ(shown(30, 30), kRed);
  animatedTransitions(1);
  panel.setBackColor(kBlue);
  EXPECT_TRUE(waitUntil([&] { return !panel.fadeRunning(); }, 5000));
  EXPECT_EQ(shown(30, 30), kBlue);
  panel.setBackColor(0);
  EXPECT_TRUE(waitUntil([&] { return !panel.fadeRunning(); }, 5000));
  EXPECT_EQ(shown(30, 30), kRed);
  // The composition itself, not only what the fade left on screen.
  below.redraw();
  EXPECT_EQ(shown(30, 30), kRed);
  animatedTransitions(before);
}

TEST_F(ControlComposition, AFadeOutDrawsFramesUpToFullAlphaAndKeepsTheLast) {
  const int before = animatedTransitions();
  animatedTransitions(1);
  ProbeControl probe;
  ASSERT_TRUE(probe.create(form.objectId(), {20, 20, 40, 40}, kRed));
  probe.fadeOutRedraw(1, 0, 3);
  EXPECT_TRUE(waitUntil([&] { return !probe.fadeRunning(); }, 5000));
  EXPECT_EQ(probe.frameAlphas,
            (std::vector<int>{0, 25, 50, 75, 100, 125, 150, 175, 200, 225, 250, 255}));
  EXPECT_EQ(probe.fadeOutMode(), 3);
  EXPECT_EQ(shown(30, 30), kBlue);
  // The last frame became the control's own picture.
  probe.compose();
  EXPECT_EQ(shown(30, 30), kBlue);
  animatedTransitions(before);
}

TEST_F(ControlComposition, AnIndexStacksTheControlWhereThatEntryWasAmongItsSiblings) {
  constexpr Argb kYellow = 0xFFDDCC22;
  // Four overlapping siblings painted a, b, c, d; registry order d c b a.
  ProbeControl a, b, c, d, child;
  ASSERT_TRUE(a.create(form.objectId(), {10, 10, 60, 60}, kRed));
  ASSERT_TRUE(b.create(form.objectId(), {20, 20, 60, 60}, kGreen));
  ASSERT_TRUE(c.create(form.objectId(), {30, 30, 60, 60}, kBlue));
  ASSERT_TRUE(d.create(form.objectId(), {40, 40, 60, 60}, kGreen));
  ASSERT_TRUE(child.create(a.handle, {25, 25, 10, 10}, kYellow));
  ASSERT_EQ(shown(32, 32), kBlue);

  // Forwards to c's place: painted right after c, before d, with its child.
  a.setStacking(c.registryIndex());
  EXPECT_EQ(d.registryIndex() + 2, a.registryIndex());
  EXPECT_EQ(child.registryIndex() + 1, a.registryIndex());
  EXPECT_EQ(a.registryIndex() + 1, c.registryIndex());
  EXPECT_EQ(shown(32, 32), kRed);    // a over c
  EXPECT_EQ(shown(37, 37), kYellow);  // and its child
  EXPECT_EQ(shown(40, 40), kGreen);  // d still over both
  EXPECT_EQ(shown(85, 85), kGreen);

  // Backwards to b's place: painted right before b.
  d.setStacking(b.registryIndex());
  EXPECT_EQ(b.registryIndex() + 1, d.registryIndex());
  EXPECT_EQ(shown(40, 40), kYellow);
  EXPECT_EQ(shown(85, 85), kBlue);  // c over d

  // Indices outside the siblings' run are held to its ends: the form's own
  // entry (and anything behind it) is the bottom, the front of the registry
  // the top.
  b.setStacking(controlRegistry().indexOf(form.objectId()) + 5);
  EXPECT_EQ(b.registryIndex() + 1, controlRegistry().indexOf(form.objectId()));
  b.setStacking(-7);
  EXPECT_EQ(b.registryIndex(), 1);
  // A child asked for a place among its parent's siblings stays with it.
  child.setStacking(b.registryIndex());
  EXPECT_EQ(child.registryIndex() + 1, a.registryIndex());
  EXPECT_EQ(child.parent, a.handle);
}

TEST_F(ControlComposition, AFadeStartedDuringAnotherContinuesFromThePictureOnScreen) {
  const int before = animatedTransitions();
  animatedTransitions(1);
  ProbeControl probe;
  ASSERT_TRUE(probe.create(form.objectId(), {20, 20, 40, 40}, kRed));
  // Ticks are driven by hand: the timers are far too slow to fire.
  constexpr int kNever = 1000000;
  const auto tick = [&] { probe.onEvent(control_event::kTimer, kFadeInTimerKey, 40); };

  probe.colour = kGreen;
  probe.fadeRedraw(kNever, 40, 1);
  tick();
  const Argb halfway = shown(30, 30);
  ASSERT_GT(greenOf(halfway), greenOf(kRed) + 30);
  ASSERT_GT(redOf(halfway), redOf(kGreen) + 30);

  probe.colour = kBlue;
  probe.fadeRedraw(kNever, 40, 1);
  EXPECT_EQ(shown(30, 30), halfway);  // no jump back to red or on to green
  tick();
  // Blue over the half-way picture keeps its green; over red it would not.
  EXPECT_GT(greenOf(shown(30, 30)), 60);
  for (int i = 0; i < 3; ++i) tick();
  EXPECT_FALSE(probe.fadeRunning());
  EXPECT_EQ(shown(30, 30), kBlue);
  animatedTransitions(before);
}

TEST_F(ControlComposition, DestructionClearsEveryWindowReferenceToTheControl) {
  ProbeControl gone, kept;
  ASSERT_TRUE(gone.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(kept.create(form.objectId(), {40, 10, 20, 20}, kRed));
  writeRefProperty(form.hwnd(), kMouseOnProperty, gone.handle);
  gone.captureMouse();
  writeRefProperty(form.hwnd(), kFocusProperty, kept.handle);
  gone.unregister();
  EXPECT_EQ(readRefProperty(form.hwnd(), kMouseOnProperty), 0);
  EXPECT_EQ(readRefProperty(form.hwnd(), kCaptureProperty), 0);
  EXPECT_EQ(readRefProperty(form.hwnd(), kFocusProperty), kept.handle);  // another's stays
  ReleaseCapture();
}

TEST_F(ControlComposition, AFormDestroyedDirectlyTakesItsControlsOutOfTheRegistry) {
  Form other;
  FormCreateOptions options;
  options.rectangle = Rect{350, 30, 200, 150};
  options.styleFlags = 0;
  ASSERT_TRUE(other.create(options));
  Panel mine, theirs, theirChild;
  ASSERT_TRUE(mine.create(form.objectId(), {10, 10, 20, 20}, kRed));
  ASSERT_TRUE(theirs.create(other.objectId(), {10, 10, 60, 60}, kRed));
  ASSERT_TRUE(theirChild.create(theirs.handle, {10, 10, 20, 20}, kBlue));
  const int registered = controlRegistry().count();

  other.destroy();
  EXPECT_EQ(theirs.handle, 0);
  EXPECT_EQ(theirChild.handle, 0);
  EXPECT_FALSE(theirs.created());
  EXPECT_EQ(controlRegistry().count(), registered - 3);  // the form and its two
  EXPECT_NE(mine.registryIndex(), 0);
}

}  // namespace
}  // namespace talvek::test
