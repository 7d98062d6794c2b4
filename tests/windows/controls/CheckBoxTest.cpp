#include "toolkit/controls/CheckBox.h"

#include <gtest/gtest.h>

#include "tests/windows/controls/CheckMarkInk.h"

#include <vector>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/EventDelivery.h"

namespace talvek::test {
namespace {

constexpr int kHeight = 20;
constexpr Rect kArea{20, 20, 200, kHeight};
constexpr Argb kWhite = 0xFFFFFFFF;


class CheckBoxOnForm : public ControlsOnForm {
 protected:
  void SetUp() override {
    ControlsOnForm::SetUp();
    ASSERT_TRUE(box.create(form.objectId(), kArea, std::nullopt, std::nullopt, "桌面快捷方式"));
  }
  // A pixel of the box in control coordinates, read from the form canvas.
  Argb at(int x, int y) const { return shown(kArea.x + x, kArea.y + y); }
  int markPixels() const {
    int count = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kHeight; ++x) count += isCheckMarkInk(at(x, y)) ? 1 : 0;
    return count;
  }
  void press() { sendControlEvent(box.handle, event::kLeftDown, (5 << 16) | 5, 0); }
  // Ticks of the box animation driven by hand, the real timer stopped.
  void tickByHand(int ticks) {
    box.killTimer(CheckBox::kAnimationTimerKey);
    for (int i = 0; i < ticks; ++i)
      sendControlEvent(box.handle, control_event::kTimer, CheckBox::kAnimationTimerKey, 0);
  }

  CheckBox box;
};

TEST_F(CheckBoxOnForm, APressTogglesAtOnceAndTheBoxGrowsBackFromItsCentreInHeightMinusOneTicks) {
  box.checked(1);
  ASSERT_GT(markPixels(), 10);
  press();
  EXPECT_EQ(box.checked(), 0) << "toggled on the press, not on the release";
  EXPECT_EQ(markPixels(), 0) << "the mark goes at once";
  EXPECT_EQ(box.boxInset(), kHeight - 1);
  EXPECT_NE(at(kHeight / 2, kHeight / 2), kWhite) << "the box has collapsed";

  tickByHand(kHeight - 1 - 5);  // inset 5: an 8-pixel square from (6, 6)
  EXPECT_EQ(box.boxInset(), 5);
  EXPECT_TRUE(box.animating());
  EXPECT_EQ(at(9, 9), kWhite);
  EXPECT_NE(at(3, 3), kWhite);
  EXPECT_NE(at(15, 15), kWhite);

  tickByHand(5);
  EXPECT_FALSE(box.animating());
  EXPECT_EQ(at(1, 1), kWhite) << "full size after H - 1 ticks";
  EXPECT_EQ(at(kHeight - 2, kHeight - 2), kWhite);
  EXPECT_NE(at(0, 0), kWhite);
}

TEST_F(CheckBoxOnForm, TheRealTimerRunsTheAnimationAndTwoQuickPressesRestoreTheState) {
  const std::vector<Argb> unchecked = picture(kArea);
  press();
  EXPECT_EQ(box.checked(), 1);
  EXPECT_GT(markPixels(), 10);
  ASSERT_TRUE(waitUntil([&] { return !box.animating(); }, 3000)) << "the timer grows the box back";
  EXPECT_EQ(at(1, 1), kWhite);
  const std::vector<Argb> checked = picture(kArea);

  press();
  tickByHand(6);
  ASSERT_EQ(box.boxInset(), kHeight - 1 - 6);
  press();
  EXPECT_EQ(box.boxInset(), kHeight - 1) << "the second press restarts from the collapsed box";
  EXPECT_EQ(box.checked(), 1);
  ASSERT_TRUE(waitUntil([&] { return !box.animating(); }, 3000)) << "and its timer runs";
  EXPECT_EQ(picture(kArea), checked);

  press();
  ASSERT_TRUE(waitUntil([&] { return !box.animating(); }, 3000));
  EXPECT_EQ(box.checked(), 0);
  EXPECT_EQ(picture(kArea), unchecked);
}

TEST_F(CheckBoxOnForm, DisabledShowsGreyWithoutTheMarkAndSettingTheStateNeverAnimates) {
  EXPECT_EQ(box.checked(1), 1);
  EXPECT_FALSE(box.animating());
  EXPECT_EQ(box.boxInset(), 0);
  EXPECT_GT(markPixels(), 10) << "shown at once";
  EXPECT_EQ(at(1, 1), kWhite);

  box.disabled(1);
  EXPECT_EQ(markPixels(), 0);
  EXPECT_EQ(at(kHeight - 3, kHeight - 3), premultiplied(0xFFC0C0C0));
  EXPECT_EQ(box.checked(), 1) << "the state stays";

  box.disabled(0);
  EXPECT_GT(markPixels(), 10);
  EXPECT_EQ(box.checked(0), 0);
  EXPECT_EQ(markPixels(), 0);
  EXPECT_FALSE(box.animating());
}

}  // namespace
}  // namespace talvek::test
