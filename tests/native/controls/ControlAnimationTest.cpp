// The tick arithmetic of fades and of the check box's box animation.
#include <gtest/gtest.h>

#include <vector>

#include "toolkit/controls/CheckBoxState.h"
#include "toolkit/controls/FadeProgress.h"

using namespace talvek;

namespace {

std::vector<int> fadeInAlphas(int step) {
  FadeProgress fade;
  fade.start(step);
  std::vector<int> alphas;
  for (int tick = 0; tick < 1000; ++tick) {
    bool done = fade.tickIn();
    alphas.push_back(fade.alpha());
    if (done) break;
  }
  return alphas;
}

}  // namespace

TEST(FadeProgress, DefaultStepReaches255OnTheEleventhTick) {
  std::vector<int> alphas = fadeInAlphas(0);
  ASSERT_EQ(alphas.size(), 11u);
  EXPECT_EQ(alphas[0], 25);
  EXPECT_EQ(alphas[9], 250);
  EXPECT_EQ(alphas[10], 255);
  EXPECT_EQ(fadeInterval(0), 10);
  EXPECT_EQ(fadeInterval(-4), 10);
  EXPECT_EQ(fadeInterval(5), 5);
}

TEST(FadeProgress, LabelTextFadeOfFivePercentTakesTwentyTwoTicks) {
  std::vector<int> alphas = fadeInAlphas(kLabelTextFadeStep);
  ASSERT_EQ(alphas.size(), 22u);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(alphas[i], 12 * (i + 1));
  EXPECT_EQ(alphas.back(), 255);
}

TEST(FadeProgress, HugeStepsFinishInOneTickWithoutOverflow) {
  EXPECT_EQ(fadeInAlphas(2000000000).size(), 1u);
}

TEST(FadeProgress, FadeOutDrawsFromZeroAndEndsOnTheFrameAt255) {
  FadeProgress fade;
  fade.start(50);  // +127 a tick
  std::vector<int> frames;
  int frame = 0;
  while (!fade.tickOut(frame) && frames.size() < 100) frames.push_back(frame);
  frames.push_back(frame);
  EXPECT_EQ(frames, (std::vector<int>{0, 127, 254, 255}));
}

TEST(CheckBoxState, AClickTogglesAtOnceAndTheBoxGrowsBackInHMinusOneTicks) {
  CheckBoxState box(120, 20);
  box.toggleAndCollapse();
  EXPECT_EQ(box.animationIntervalMs(), 5) << "100 ms spread over the height";
  EXPECT_TRUE(box.checked());
  EXPECT_EQ(box.boxInset(), 19);
  int ticks = 1;
  while (box.tick()) ++ticks;
  EXPECT_EQ(ticks, 19);
  EXPECT_EQ(box.boxInset(), 0);
  EXPECT_EQ(box.box().x, 1);
  EXPECT_EQ(box.box().width, 18);
}

TEST(CheckBoxState, TheCollapsedBoxNeverHasANegativeSizeAndTinyBoxesDoNotAnimate) {
  CheckBoxState box(120, 20);
  box.toggleAndCollapse();
  do {
    Rect r = box.box();
    EXPECT_GE(r.width, 0);
    EXPECT_EQ(r.width, r.height);
    EXPECT_LE(r.x + r.width, 20);
  } while (box.tick());

  CheckBoxState flat(50, 1);
  flat.toggleAndCollapse();
  EXPECT_EQ(flat.animationIntervalMs(), 0);
  EXPECT_TRUE(flat.checked());
  CheckBoxState empty(50, 0);
  empty.toggleAndCollapse();
  EXPECT_EQ(empty.animationIntervalMs(), 0);
  EXPECT_EQ(empty.box().width, 0);
}
