#include "toolkit/core/ToolkitWindowProc.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "tests/native/toolkit/RecordingControl.h"
#include "tests/windows/TestSupport.h"
#include "tests/windows/toolkit/ToolkitTestWindows.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/ReferenceTable.h"
#include "toolkit/core/ToolkitWindow.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {

constexpr UINT kAnsweredMessage = WM_APP + 5;
constexpr LRESULT kAnswer = 4242;

// A hidden skinned window the way a form sets one up: window object in
// "RbUI_THIS", its negative reference at the front of the registry, and
// the toolkit procedure in place of the class one.
class TestForm final : public ToolkitWindow {
 public:
  TestForm() : window_(createToolkitWindow(L"RbSoft.RbUI.WindowClass.Window")) {
    reference_ = controlReferences().addForm(this);
    controlRegistry().insertAt(1, reference_);
    setWindowObject(window_.get(), this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(toolkitWindowProc)));
  }
  ~TestForm() {
    window_.reset();
    controlReferences().remove(reference_);
  }

  std::intptr_t handleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    if (message == kAnsweredMessage) return kAnswer;
    return CallWindowProcW(oldProc_, window_.get(), message, wParam, lParam);
  }
  HostWindow hwnd() const override { return window_.get(); }
  ControlRef reference() const { return reference_; }
  void destroy() { window_.reset(); }

 private:
  Window window_;
  ControlRef reference_ = 0;
  WNDPROC oldProc_ = nullptr;
};

class MessageRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    startToolkitOnce();
    controlRegistry().clear();
    form = std::make_unique<TestForm>();
    ASSERT_TRUE(IsWindow(form->hwnd()));
  }
  void TearDown() override {
    controls.clear();
    form.reset();
    controlRegistry().clear();
  }

  // Appends a control at the end of the registry (registration order).
  RecordingControl& add(Rect area, ControlRef parent = 0, int depth = 1, HWND host = nullptr) {
    controls.push_back(std::make_unique<RecordingControl>(log, host ? host : form->hwnd(), area,
                                                          parent ? parent : form->reference(), depth));
    RecordingControl& control = *controls.back();
    control.leavesRegistryOnDestroy = true;
    controlRegistry().insertAt(controlRegistry().count() + 1, control.handle);
    return control;
  }

  // The reference of a control that no longer exists.
  ControlRef staleReference() {
    RecordingControl gone(log, form->hwnd(), {});
    return gone.handle;
  }

  LRESULT send(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(form->hwnd(), message, wParam, lParam);
  }
  void post(UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageW(form->hwnd(), message, wParam, lParam);
    pumpMessages();
  }

  std::vector<ReceivedEvent> log;
  std::unique_ptr<TestForm> form;
  std::vector<std::unique_ptr<RecordingControl>> controls;
};

TEST_F(MessageRouting, TheWindowObjectsResultIsReturned) { EXPECT_EQ(send(kAnsweredMessage, 0, 0), kAnswer); }

// Another process can set any property of the window: pointed at another
// object, or at nothing, "RbUI_THIS" changes nothing of where messages go.
TEST_F(MessageRouting, TheWindowPropertyNamingItsObjectIsNotCalledThrough) {
  class Decoy final : public ToolkitWindow {
   public:
    std::intptr_t handleMessage(unsigned, std::uintptr_t, std::intptr_t) override { return 1; }
    HostWindow hwnd() const override { return nullptr; }
  } decoy;
  SetPropA(form->hwnd(), "RbUI_THIS", &decoy);
  ASSERT_EQ(send(kAnsweredMessage, 0, 0), kAnswer);
  SetPropA(form->hwnd(), "RbUI_THIS", reinterpret_cast<HANDLE>(0xDEADBEEF));
  EXPECT_EQ(send(kAnsweredMessage, 0, 0), kAnswer);

  // Gone with its window: a handle the system gives out again finds nothing.
  const HWND window = form->hwnd();
  form->destroy();
  EXPECT_EQ(windowObject(window), nullptr);
}

TEST_F(MessageRouting, HitTestOnARealWindow) {
  RecordingControl& first = add({10, 10, 40, 40});
  RecordingControl& second = add({30, 30, 40, 40});
  RecordingControl& panel = add({0, 100, 200, 100});
  // The button is registered before its panel, as children are.
  controls.push_back(std::make_unique<RecordingControl>(log, form->hwnd(), Rect{100, 150, 20, 20}, panel.handle, 2));
  RecordingControl& button = *controls.back();
  controlRegistry().insertAt(controlRegistry().indexOf(panel.handle), button.handle);

  EXPECT_EQ(hitTest(form->hwnd(), POINT{10, 30}), 0);  // left edge
  EXPECT_EQ(hitTest(form->hwnd(), POINT{30, 10}), 0);  // top edge
  EXPECT_EQ(hitTest(form->hwnd(), POINT{11, 11}), first.handle);
  EXPECT_EQ(hitTest(form->hwnd(), POINT{35, 35}), first.handle);  // earlier sibling wins
  EXPECT_EQ(hitTest(form->hwnd(), POINT{60, 60}), second.handle);

  post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(10, 30));
  post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(30, 10));
  EXPECT_TRUE(log.empty());

  post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(110, 160));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), (ReceivedEvent{button.handle, 14, (10 << 16) | 10}));

  button.disabled = 1;
  log.clear();
  post(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(110, 160));
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), (ReceivedEvent{panel.handle, 14, (60 << 16) | 110}));
}

TEST_F(MessageRouting, DownOnOneControlAndUpOnAnotherIsNoClick) {
  RecordingControl& a = add({10, 10, 40, 40});
  RecordingControl& b = add({100, 10, 40, 40});
  send(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(20, 20));
  send(WM_MOUSEMOVE, MK_LBUTTON, pointParam(110, 20));
  send(WM_LBUTTONUP, 0, pointParam(110, 20));
  EXPECT_EQ(eventsWithCode(log, 14), (std::vector<ReceivedEvent>{{a.handle, 14, (10 << 16) | 10}}));
  EXPECT_EQ(eventsWithCode(log, 15), (std::vector<ReceivedEvent>{{b.handle, 15, (10 << 16) | 10}}));
  EXPECT_TRUE(eventsWithCode(log, 16).empty());
  EXPECT_EQ(readRefProperty(form->hwnd(), kMouseOnProperty), b.handle);

  log.clear();
  send(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(110, 20));
  send(WM_LBUTTONUP, 0, pointParam(111, 21));
  EXPECT_EQ(eventsWithCode(log, 16), (std::vector<ReceivedEvent>{{b.handle, 16, (11 << 16) | 11}}));
}

TEST_F(MessageRouting, FocusGoesToTheNewControlBeforeTheOldOneLosesIt) {
  RecordingControl& a = add({10, 10, 40, 40});
  RecordingControl& b = add({100, 10, 40, 40});
  send(WM_LBUTTONDOWN, MK_LBUTTON, pointParam(20, 20));
  EXPECT_EQ(readRefProperty(form->hwnd(), kFocusProperty), a.handle);
  log.clear();
  post(WM_RBUTTONDOWN, MK_RBUTTON, pointParam(110, 20));
  std::vector<ReceivedEvent> expected{
      {b.handle, 18, (10 << 16) | 10}, {b.handle, 3, a.handle}, {a.handle, 4, b.handle}};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(readRefProperty(form->hwnd(), kFocusProperty), b.handle);
}

TEST_F(MessageRouting, WheelStepsReachTheFocusControl) {
  RecordingControl& a = add({10, 10, 40, 40});
  writeRefProperty(form->hwnd(), kFocusProperty, a.handle);
  post(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), pointParam(20, 20));
  send(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), pointParam(20, 20));
  EXPECT_EQ(eventsWithCode(log, 22), (std::vector<ReceivedEvent>{{a.handle, 22, -1}, {a.handle, 22, 0}}));
}

TEST_F(MessageRouting, DestroyingTheWindowRemovesEveryControlAfterEventTwo) {
  RecordingControl& panel = add({0, 0, 100, 100});
  for (int i = 0; i < 3; ++i) {
    controls.push_back(std::make_unique<RecordingControl>(log, form->hwnd(), Rect{}, panel.handle, 2));
    controls.back()->leavesRegistryOnDestroy = true;
    controlRegistry().insertAt(controlRegistry().indexOf(panel.handle), controls.back()->handle);
  }
  add({});
  add({});
  RecordingControl& unattached = add({}, 0, 1, nullptr);
  unattached.window = nullptr;
  Window other = createToolkitWindow(L"RbSoft.RbUI.WindowClass.Window");
  RecordingControl& elsewhere = add({}, 0, 1, other.get());

  form->destroy();
  ASSERT_EQ(controlRegistry().count(), 1);
  EXPECT_EQ(controlRegistry().at(1), elsewhere.handle);  // the form entry went too
  std::vector<ReceivedEvent> destroyed = eventsWithCode(log, 2);
  ASSERT_EQ(destroyed.size(), controls.size() - 1);
  for (const auto& control : controls) {
    if (control.get() == &elsewhere) continue;
    int received = 0;
    for (const ReceivedEvent& event : destroyed) received += event.control == control->handle ? 1 : 0;
    EXPECT_EQ(received, 1) << control->handle;
  }
}

TEST_F(MessageRouting, OnlyLiveReferencesReceiveEvents) {
  RecordingControl& live = add({});
  live.result = 99;
  ControlRef stale = staleReference();
  for (std::int32_t ref : {0, -1, form->reference(), stale, live.handle + 7919, 0x7FFFFFFF,
                           static_cast<std::int32_t>(0x80000000u), 0x1234567}) {
    EXPECT_EQ(sendControlEvent(ref, 301, 1, 0), 0) << ref;
  }
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(sendControlEvent(live.handle, 301, 1, 0), 99);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(MessageRouting, EventsFromAnotherThreadRunOnTheWindowsThread) {
  RecordingControl& live = add({});
  live.result = 5;
  ControlRef stale = staleReference();
  std::atomic<int> liveResult{-1};
  std::atomic<int> bogusSum{0};
  std::atomic<bool> done{false};
  std::thread server([&] {
    for (std::int32_t ref : {0, -3, stale, live.handle + 5000, 0x0BADF00D})
      bogusSum += sendControlEvent(ref, 301, 0, 0);
    liveResult = sendControlEvent(live.handle, 301, 2, 0);
    done = true;
  });
  bool finished = waitUntil([&] { return done.load(); }, 10000);
  server.join();
  ASSERT_TRUE(finished);
  EXPECT_EQ(bogusSum.load(), 0);
  EXPECT_EQ(liveResult.load(), 5);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].arg1, 2);
  EXPECT_EQ(log[0].thread, std::this_thread::get_id());
}

TEST_F(MessageRouting, ServerCallsWhileControlsComeAndGo) {
  std::atomic<ControlRef> newest{0};
  std::atomic<bool> done{false};
  std::thread server([&] {
    // Calls before the first control exists would all miss; the point is
    // calls that race a control's creation and destruction.
    while (newest.load() == 0) std::this_thread::yield();
    for (int i = 0; i < 2000; ++i) sendControlEvent(newest.load() - (i % 4), 301, i, 0);
    done = true;
  });
  std::vector<std::unique_ptr<RecordingControl>> alive;
  bool finished = false;
  for (int round = 0; round < 100000 && !finished; ++round) {
    alive.push_back(std::make_unique<RecordingControl>(log, form->hwnd(), Rect{}));
    newest = alive.back()->handle;
    if (alive.size() > 2) alive.erase(alive.begin());  // the older ones die
    pumpMessages();
    finished = done.load();
  }
  finished = waitUntil([&] { return done.load(); }, 10000);
  server.join();
  ASSERT_TRUE(finished);
  for (const ReceivedEvent& event : log) EXPECT_EQ(event.thread, std::this_thread::get_id());
  EXPECT_FALSE(log.empty());  // some calls found a live control
}

}  // namespace
}  // namespace talvek::test
