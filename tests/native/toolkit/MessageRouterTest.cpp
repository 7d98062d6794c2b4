#include "toolkit/core/MessageRouter.h"

#include <gtest/gtest.h>

#include "tests/native/toolkit/FakeLookup.h"
#include "tests/native/toolkit/RecordingControl.h"
#include "toolkit/core/PointMath.h"

namespace talvek::test {
namespace {

const HostWindow kWindow = fakeWindow(0x100);

class FakeState final : public RoutingState {
 public:
  ControlRef focus() const override { return focused; }
  void setFocus(ControlRef ref) override { focused = ref; }
  ControlRef capture() const override { return captured; }
  ControlRef mouseOn() const override { return hovered; }
  void setMouseOn(ControlRef ref) override { hovered = ref; }

  ControlRef focused = 0;
  ControlRef captured = 0;
  ControlRef hovered = 0;
};

std::intptr_t at(int x, int y) { return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y) << 16) | (x & 0xFFFF)); }

class MessageRouterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controlRegistry().clear();
    for (RoutedControl* control : {static_cast<RoutedControl*>(&a), static_cast<RoutedControl*>(&b)}) {
      controlRegistry().insertAt(controlRegistry().count() + 1, control->handle);
    }
  }
  void TearDown() override { controlRegistry().clear(); }

  void route(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    MessageRouter(controlRegistry(), lookup, state, kWindow).route(message, wParam, lParam);
  }

  std::vector<ReceivedEvent> log;
  FakeLookup lookup;
  FakeState state;
  RecordingControl a{log, kWindow, {10, 10, 40, 40}};
  RecordingControl b{log, kWindow, {100, 10, 40, 40}};
};

TEST(PointMath, UnpacksAndRepacksPoints) {
  MousePoint point = mousePoint(static_cast<std::intptr_t>(0xFFFE8001u));
  EXPECT_EQ(point.x, 0x8001);  // x is unsigned
  EXPECT_EQ(point.y, -2);      // y keeps its sign
  EXPECT_EQ(packLocalPoint({15, 25}, 10, 20), (5 << 16) | 5);
  EXPECT_EQ(packLocalPoint({5, 25}, 10, 20), static_cast<std::int32_t>((5u << 16) | 0xFFFBu));
}

TEST(PointMath, WheelStepsTruncateTowardZero) {
  auto wheel = [](int delta) { return wheelSteps(static_cast<std::uint32_t>(delta) << 16); };
  EXPECT_EQ(wheel(-120), -1);
  EXPECT_EQ(wheel(60), 0);
  EXPECT_EQ(wheel(-60), 0);
  EXPECT_EQ(wheel(240), 2);
  EXPECT_EQ(wheel(-359), -2);
}

TEST_F(MessageRouterTest, ClickNeedsDownAndUpOnTheSameControl) {
  route(message::kLeftButtonDown, 0, at(20, 30));
  route(message::kLeftButtonUp, 0, at(110, 15));
  std::vector<ReceivedEvent> expected{{a.handle, 14, (20 << 16) | 10},
                                      {a.handle, 3, 0},
                                      {b.handle, 15, (5 << 16) | 10}};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(a.leftHeld, 1);  // nothing consumed it on b

  log.clear();
  route(message::kRightButtonDown, 0, at(110, 15));
  route(message::kRightButtonUp, 0, at(111, 16));
  EXPECT_EQ(eventsWithCode(log, 20), (std::vector<ReceivedEvent>{{b.handle, 20, (6 << 16) | 11}}));
  EXPECT_EQ(b.rightHeld, 0);

  // A double click is its own event and makes no click of its own.
  log.clear();
  route(message::kLeftButtonDoubleClick, 0, at(110, 15));
  route(message::kRightButtonDoubleClick, 0, at(20, 30));
  EXPECT_EQ(log, (std::vector<ReceivedEvent>{{b.handle, 17, (5 << 16) | 10},
                                             {a.handle, 21, (20 << 16) | 10}}));
}

TEST_F(MessageRouterTest, CaptureTakesTheMouseWherever) {
  state.captured = a.handle;
  route(message::kLeftButtonDown, 0, at(110, 15));
  route(message::kMouseMove, 0, at(300, 300));
  route(message::kLeftButtonUp, 0, at(120, 15));
  EXPECT_EQ(eventsWithCode(log, 16), (std::vector<ReceivedEvent>{{a.handle, 16, (5 << 16) | 110}}));
  EXPECT_TRUE(eventsWithCode(log, 27).empty());  // no enter or leave under capture
  EXPECT_EQ(state.hovered, 0);
}

TEST_F(MessageRouterTest, FocusMovesToTheNewControlBeforeTheOldLosesIt) {
  route(message::kLeftButtonDown, 0, at(20, 20));
  log.clear();
  route(message::kLeftButtonDown, 0, at(110, 20));
  std::vector<ReceivedEvent> expected{{b.handle, 14, (10 << 16) | 10}, {b.handle, 3, a.handle}, {a.handle, 4, b.handle}};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(state.focused, b.handle);

  // A control that may not take the focus leaves it where it was.
  a.focusable = 0;
  log.clear();
  route(message::kRightButtonDown, 0, at(20, 20));
  EXPECT_EQ(log, (std::vector<ReceivedEvent>{{a.handle, 18, (10 << 16) | 10}}));
  EXPECT_EQ(state.focused, b.handle);
}

TEST_F(MessageRouterTest, KeyboardAndWheelGoToTheFocusControl) {
  route(message::kKeyDown, 'A', 0);  // no focus: dropped
  EXPECT_TRUE(log.empty());
  state.focused = b.handle;
  route(message::kKeyDown, 'A', 77);
  route(message::kKeyUp, 'A', 77);
  route(message::kChar, 'a', 77);
  route(message::kMouseWheel, static_cast<std::uint32_t>(-120) << 16, at(20, 20));
  route(message::kMouseWheel, 60u << 16, at(20, 20));
  route(message::kSetFocus, 0, 0);
  route(message::kKillFocus, 0, 0);
  std::vector<ReceivedEvent> expected{{b.handle, 12, 'A'}, {b.handle, 13, 'A'}, {b.handle, 11, 'a', 77},
                                      {b.handle, 22, -1},  {b.handle, 22, 0},   {b.handle, 3},
                                      {b.handle, 4}};
  EXPECT_EQ(log, expected);
}

TEST_F(MessageRouterTest, OtherMessagesCarryBothParameters) {
  state.focused = a.handle;
  struct Seen {
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
  };
  class Reader : public RecordingControl {
   public:
    using RecordingControl::RecordingControl;
    int onEvent(int code, std::intptr_t arg1, std::intptr_t arg2) override {
      if (code == 32) {
        auto* params = reinterpret_cast<const MessageParams*>(arg2);
        seen = {params->wParam, params->lParam};
      }
      return RecordingControl::onEvent(code, arg1, arg2);
    }
    Seen seen;
  };
  Reader reader(log, kWindow, {});
  state.focused = reader.handle;
  route(0x0113, 203, 42);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].code, 32);
  EXPECT_EQ(log[0].arg1, 0x0113);
  EXPECT_EQ(reader.seen.wParam, 203u);
  EXPECT_EQ(reader.seen.lParam, 42);
}

TEST_F(MessageRouterTest, HoverEntersTheNewControlThenLeavesTheOld) {
  route(message::kMouseMove, 0, at(20, 20));
  route(message::kMouseMove, 0, at(21, 20));
  route(message::kMouseMove, 0, at(110, 20));
  route(message::kMouseMove, 0, at(300, 300));
  std::vector<ReceivedEvent> expected{{a.handle, 27},
                                      {a.handle, 26, (10 << 16) | 10},
                                      {a.handle, 26, (10 << 16) | 11},
                                      {b.handle, 27},
                                      {a.handle, 28},
                                      {b.handle, 26, (10 << 16) | 10},
                                      {b.handle, 28}};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(state.hovered, 0);

  route(message::kMouseMove, 0, at(20, 20));
  log.clear();
  route(message::kMouseLeave, 0, 0);
  EXPECT_EQ(log, (std::vector<ReceivedEvent>{{a.handle, 28}}));
  EXPECT_EQ(state.hovered, 0);
}

TEST_F(MessageRouterTest, AControlDestroyedByItsOwnEventGetsNoMore) {
  class SelfDestroying : public RoutedControl {
   public:
    int onEvent(int code, std::intptr_t, std::intptr_t) override {
      ++events;
      if (code == 14) detachReference();
      return 0;
    }
    int events = 0;
  } doomed;
  doomed.attachReference();
  doomed.window = kWindow;
  doomed.parent = -1;
  doomed.visible = 1;
  doomed.focusable = 1;
  doomed.visibleRect = {200, 0, 50, 50};
  controlRegistry().insertAt(1, doomed.handle);
  route(message::kLeftButtonDown, 0, at(210, 10));
  EXPECT_EQ(doomed.events, 1);
  EXPECT_EQ(doomed.leftHeld, 0);
  EXPECT_EQ(state.focused, 0);
}

}  // namespace
}  // namespace talvek::test
