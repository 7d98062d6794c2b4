#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/TestSupport.h"
#include "tests/windows/form/FormTestSupport.h"
#include "toolkit/core/ControlRegistry.h"
#include "toolkit/core/ReferenceTable.h"

namespace talvek::test {
namespace {

class FormAnimation : public OwnFormTest {
 protected:
  void createForm(bool layered) {
    FormCreateOptions options;
    options.rectangle = Rect{80, 60, 320, 200};
    options.styleFlags = 2;
    options.backgroundColor = 0xFF2A2A2A;
    form.create(options);
    if (layered) form.layeredMode(true, true);
    form.setPreHook(recorder.hook());
  }

  int ticks(bool appear) const {
    const WPARAM id = form_timer::kAnimation | ((appear ? 1u : 0u) << 16);
    int count = 0;
    for (size_t i = 0; i < recorder.seen.size(); ++i) count += recorder.seen[i] == WM_TIMER && recorder.wParams[i] == id;
    return count;
  }

  MessageRecorder recorder;
};

TEST_F(FormAnimation, ClosingPlaysTheDisappearStepThenDestroysTheWindow) {
  createForm(true);
  form.show(true);
  HWND window = form.hwnd();
  const ControlRef id = form.objectId();
  form.closeEffect(kEffectFade);
  form.showEffect(kEffectFade, 5);
  recorder.seen.clear();
  recorder.wParams.clear();

  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ticks(false), 26);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form.hwnd(), nullptr);
  EXPECT_EQ(controlRegistry().indexOf(id), 0);
  EXPECT_EQ(controlReferences().form(id), nullptr);
}

TEST_F(FormAnimation, ASecondCloseDuringTheCloseAnimationWaitsForTheFirst) {
  createForm(true);
  HWND window = form.hwnd();
  form.closeEffect(kEffectFade);
  bool sentAgain = false;
  form.setPostHook([&](HWND target, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_TIMER && LOWORD(wParam) == form_timer::kAnimation && !sentAgain) {
      sentAgain = true;
      SendMessageW(target, WM_CLOSE, 0, 0);
      EXPECT_TRUE(IsWindow(target)) << "the window outlives the nested close";
    }
    return false;
  });
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(sentAgain);
  EXPECT_EQ(ticks(false), 26) << "the animation ran to its end";
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormAnimation, TheFlipClosesInThirtySixTicks) {
  createForm(true);
  form.show(true);
  HWND window = form.hwnd();
  form.closeEffect(kEffectFlipBack);
  form.close();
  EXPECT_EQ(ticks(false), 36);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormAnimation, ANonLayeredFormStillRunsItsStepsToTheEnd) {
  createForm(false);
  form.showEffect(kEffectSlideFromLeft, 5);
  ShowWindow(form.hwnd(), SW_SHOW);
  EXPECT_TRUE(form.animating());
  ASSERT_TRUE(waitUntil([&] { return !form.animating(); }, 20000));
  EXPECT_EQ(ticks(true), 13);
  EXPECT_EQ(form.windowRect().x, 80) << "the window ends where it started";
}

TEST_F(FormAnimation, EveryEffectAppearsAndDisappearsToItsEnd) {
  createForm(true);
  for (int effect = kEffectFade; effect <= kEffectFlipBack; ++effect) {
    form.showEffect(effect, 1);
    // The show message alone, without mapping the window each time.
    SendMessageW(form.hwnd(), WM_SHOWWINDOW, TRUE, 0);
    ASSERT_TRUE(waitUntil([&] { return !form.animating(); }, 20000)) << effect;
    SendMessageW(form.hwnd(), WM_SHOWWINDOW, FALSE, 0);
    ASSERT_TRUE(waitUntil([&] { return !form.animating(); }, 20000)) << effect;
    RECT r{};
    GetWindowRect(form.hwnd(), &r);
    EXPECT_EQ(r.left, 80) << effect;
    EXPECT_EQ(r.right - r.left, 320) << effect;
  }
}

TEST_F(FormAnimation, EveryMovingOrSizingEffectLeavesAShownWindowWholeWhereItWas) {
  for (int effect = kEffectSlideFromLeft; effect <= kEffectZoom; ++effect) {
    createForm(true);
    form.showEffect(effect, 1);
    ShowWindow(form.hwnd(), SW_SHOW);
    ASSERT_TRUE(waitUntil([&] { return !form.animating(); }, 20000)) << effect;
    RECT r{};
    GetWindowRect(form.hwnd(), &r);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::vector<LONG>{80, 60, 320, 200}))
        << effect;
    EXPECT_TRUE(IsWindowVisible(form.hwnd())) << effect;
    EXPECT_EQ(form.windowRect().height, 200) << effect;
  }
}

TEST_F(FormAnimation, CloseWithoutAClaimingPostHookDestroysTheWindow) {
  createForm(false);
  HWND window = form.hwnd();
  const ControlRef id = form.objectId();
  bool claim = true;
  form.setPostHook([&](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    return message == WM_CLOSE && claim;
  });
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window)) << "a claiming post hook keeps the window";
  claim = false;
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(controlRegistry().indexOf(id), 0);
  EXPECT_EQ(controlReferences().form(id), nullptr);
}

TEST_F(FormAnimation, ARefusedCloseAfterTheAnimationKeepsTheWindow) {
  createForm(true);
  form.show(true);
  HWND window = form.hwnd();
  form.closeEffect(kEffectFade);
  form.setPostHook([](HWND, UINT message, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    return message == WM_CLOSE;
  });
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ticks(false), 26);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(form.animating());
}

TEST_F(FormAnimation, ABusyFormRefusesTheCloseAndTheSessionsEndWithoutFadingUntilIdle) {
  createForm(true);
  form.show(true);
  HWND window = form.hwnd();
  form.closeEffect(kEffectFade);
  std::vector<unsigned> refused;
  form.setBusy(true, [&](unsigned message) { refused.push_back(message); });
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE);
  SendMessageW(window, WM_CLOSE, 0, 0);
  form.close();
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(ticks(false), 0) << "no fade out and back";
  EXPECT_EQ(refused, (std::vector<unsigned>{WM_QUERYENDSESSION, WM_CLOSE, WM_CLOSE}));

  form.setBusy(false);
  EXPECT_NE(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), FALSE);
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(refused.size(), 3u);
}

// The wait for a close animation ends on its own limit, on WM_QUIT and when
// the window goes away underneath it.
TEST_F(FormAnimation, TheCloseWaitAlwaysEnds) {
  createForm(true);
  HWND window = form.hwnd();
  form.closeEffect(kEffectFade);
  recorder.claimed = {WM_TIMER};  // the animation never advances
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window)) << "given up after the limit, then closed";
  recorder.claimed.clear();
  recorder.seen.clear();
  recorder.wParams.clear();

  createForm(true);
  window = form.hwnd();
  form.closeEffect(kEffectFade);
  form.setPostHook([](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_TIMER && LOWORD(wParam) == form_timer::kAnimation) PostQuitMessage(7);
    return false;
  });
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_LT(ticks(false), 26) << "the quit ended the wait";
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "and is kept for the loop";
  EXPECT_EQ(quit.wParam, 7u);
  form.destroy();

  createForm(true);
  window = form.hwnd();
  const ControlRef id = form.objectId();
  form.closeEffect(kEffectFade);
  form.setPostHook([](HWND target, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_TIMER && LOWORD(wParam) == form_timer::kAnimation) DestroyWindow(target);
    return false;
  });
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(controlRegistry().indexOf(id), 0);
}

}  // namespace
}  // namespace talvek::test
