// What a control leaves in the canvas when it moves, goes away or changes
// windows: never a copy of itself or of its children.
#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "tests/windows/controls/TestColours.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/ToolkitGlobals.h"

namespace talvek::test {
namespace {

constexpr Argb kOtherFormColour = 0xFF996633;

// A red parent at {20, 20, 80, 60} with a green child hanging off its
// top-left corner (only its lower right quarter shows, window 20..40) and a
// blue child inside it (window 70..90 x 50..70).
class ControlLeftovers : public ControlsOnForm {
 protected:
  void SetUp() override {
    ControlsOnForm::SetUp();
    ASSERT_TRUE(parent.create(form.objectId(), kParentArea, kRed));
    ASSERT_TRUE(corner.create(parent.handle, {-20, -20, 40, 40}, kGreen));
    ASSERT_TRUE(inner.create(parent.handle, {50, 30, 20, 20}, kBlue));
    ASSERT_EQ(shown(10, 10), background(10, 10));  // the corner is cut off by the parent
    ASSERT_EQ(shown(25, 25), kGreen);
    ASSERT_EQ(shown(45, 45), kRed);
    ASSERT_EQ(shown(75, 55), kBlue);
  }
  void TearDown() override {
    inner.unregister();
    corner.unregister();
    parent.unregister();
    ControlsOnForm::TearDown();
  }

  // Pixels of area that are not the form's background.
  int leftovers(const Rect& area) const {
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
      for (int x = area.x; x < area.x + area.width; ++x) count += shown(x, y) != background(x, y) ? 1 : 0;
    return count;
  }

  static constexpr Rect kParentArea{20, 20, 80, 60};
  Panel parent, corner, inner;
};

TEST_F(ControlLeftovers, AParentMovedAwayTakesItsChildrenAlong) {
  ASSERT_TRUE(parent.move(180, 110, std::nullopt, std::nullopt));
  EXPECT_EQ(leftovers(kParentArea), 0);
  EXPECT_EQ(shown(185, 115), kGreen);
  EXPECT_EQ(shown(205, 135), kRed);
  EXPECT_EQ(shown(235, 145), kBlue);
  EXPECT_EQ(shown(175, 105), background(175, 105));

  // A short move overlapping the old place: the old corner is gone too.
  ASSERT_TRUE(parent.move(190, 120, std::nullopt, std::nullopt));
  EXPECT_EQ(shown(185, 115), background(185, 115));
  EXPECT_EQ(shown(195, 125), kGreen);
  EXPECT_EQ(shown(235, 145), kRed);
  EXPECT_EQ(shown(245, 155), kBlue);
}

TEST_F(ControlLeftovers, AShownControlThatGoesAwayGivesBackItsArea) {
  MessageRecorder recorder;
  form.setPreHook(recorder.hook());
  corner.unregister();
  EXPECT_EQ(shown(25, 25), kRed);  // the parent shows where the child was
  inner.unregister();
  EXPECT_EQ(shown(75, 55), kRed);
  EXPECT_GE(recorder.count(updateRectMessage), 2);  // and the screen is told

  // A parent goes with its children: nothing of either stays.
  ASSERT_TRUE(corner.create(parent.handle, {-20, -20, 40, 40}, kGreen));
  ASSERT_TRUE(inner.create(parent.handle, {50, 30, 20, 20}, kBlue));
  parent.unregister();
  EXPECT_EQ(leftovers(kParentArea), 0);
  form.setPreHook(nullptr);
}

TEST_F(ControlLeftovers, AParentMovedToAnotherWindowLeavesNothingOnTheFirst) {
  Form other;
  FormCreateOptions options;
  options.rectangle = Rect{350, 30, 200, 150};
  options.styleFlags = 0;
  options.backgroundColor = kOtherFormColour;
  ASSERT_TRUE(other.create(options));

  ASSERT_TRUE(parent.setParent(other.objectId()));
  EXPECT_EQ(leftovers(kParentArea), 0);
  EXPECT_EQ(corner.window, other.hwnd());
  EXPECT_EQ(other.canvas().pixel(25, 25), kGreen);
  EXPECT_EQ(other.canvas().pixel(45, 45), kRed);
  EXPECT_EQ(other.canvas().pixel(75, 55), kBlue);

  // And back: the second window is cleared in turn.
  ASSERT_TRUE(parent.setParent(form.objectId()));
  EXPECT_EQ(other.canvas().pixel(25, 25), other.backgroundCanvas().pixel(25, 25));
  EXPECT_EQ(other.canvas().pixel(75, 55), other.backgroundCanvas().pixel(75, 55));
  EXPECT_EQ(shown(75, 55), kBlue);
  other.destroy();
}

}  // namespace
}  // namespace talvek::test
