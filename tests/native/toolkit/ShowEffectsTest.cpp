#include "toolkit/core/ShowEffects.h"

#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/core/FlipGeometry.h"

using namespace talvek;

namespace {

struct EffectRun {
  int ticks = 0;
  EffectFrame last{};
  std::vector<int> alphas;
};

EffectRun play(int effect, bool appear, const WindowBox& start, int alpha = 255) {
  EffectRun run;
  int progress = 0;
  for (int tick = 0; tick < 1000; ++tick) {
    run.last = stepEffect(effect, appear, progress, start, alpha);
    run.alphas.push_back(run.last.alpha);
    ++run.ticks;
    if (run.last.done) break;
  }
  EXPECT_EQ(progress, 0) << "a finished effect starts over next time";
  return run;
}

const WindowBox kBox{100, 80, 700, 350};

}  // namespace

TEST(ShowEffects, FadeTakesTwentySixTicksEachWay) {
  EffectRun in = play(kEffectFade, true, kBox);
  EXPECT_EQ(in.ticks, 26);
  EXPECT_EQ(in.alphas.front(), 10);
  EXPECT_EQ(in.alphas[24], 250);
  EXPECT_EQ(in.alphas.back(), 255);

  EffectRun out = play(kEffectFade, false, kBox);
  EXPECT_EQ(out.ticks, 26);
  EXPECT_EQ(out.alphas.front(), 245);
  EXPECT_EQ(out.alphas.back(), 0);

  // The form's own alpha scales every frame.
  EXPECT_EQ(play(kEffectFade, true, kBox, 128).alphas.back(), 128);
}

TEST(ShowEffects, SlidesTakeThirteenTicksAndEndExactlyAtTheStart) {
  for (int effect : {kEffectSlideFromLeft, kEffectSlideFromRight}) {
    EffectRun in = play(effect, true, kBox);
    EXPECT_EQ(in.ticks, 13) << effect;
    EXPECT_EQ(in.last.x, kBox.x);
    EXPECT_EQ(in.last.y, kBox.y);
    EXPECT_EQ(play(effect, false, kBox).ticks, 13);
  }
  int progress = 0;
  EXPECT_LT(stepEffect(kEffectSlideFromLeft, true, progress, kBox, 255).x, kBox.x);
  progress = 0;
  EXPECT_GT(stepEffect(kEffectSlideFromRight, true, progress, kBox, 255).x, kBox.x);
  for (int effect : {kEffectSlideFromAbove, kEffectSlideFromBelow}) {
    EffectRun in = play(effect, true, kBox);
    EXPECT_EQ(in.ticks, 26);
    EXPECT_EQ(in.last.y, kBox.y);
  }
  // On a 150 % screen the distance is as far to the eye: half as many
  // pixels again, in as many ticks.
  progress = 0;
  const int plain = kBox.x - stepEffect(kEffectSlideFromLeft, true, progress, kBox, 255).x;
  progress = 0;
  const WindowBox scaled{kBox.x, kBox.y, 1050, 525, DisplayScale(144)};
  EXPECT_NEAR(kBox.x - stepEffect(kEffectSlideFromLeft, true, progress, scaled, 255).x, plain * 3 / 2, 1);
  EXPECT_EQ(play(kEffectSlideFromLeft, true, scaled).ticks, 13);
  EXPECT_EQ(play(kEffectExpand, true, scaled).last.width, 1050);
}

TEST(ShowEffects, RollZoomAndExpandEndAtTheFullWindow) {
  for (int effect : {kEffectRollDown, kEffectZoom, kEffectExpand}) {
    EffectRun in = play(effect, true, kBox);
    EXPECT_LT(in.ticks, 20) << effect;
    EXPECT_EQ(in.last.x, kBox.x) << effect;
    EXPECT_EQ(in.last.y, kBox.y) << effect;
    EXPECT_EQ(in.last.width, kBox.width) << effect;
    EXPECT_EQ(in.last.height, kBox.height) << effect;
    EXPECT_EQ(in.last.alpha, 255) << effect;
    EffectRun out = play(effect, false, kBox);
    EXPECT_EQ(out.last.alpha, 0) << effect;
  }
  // A zero-height window still ends.
  EXPECT_LT(play(kEffectRollDown, true, {0, 0, 10, 0}).ticks, 20);
}

TEST(FlipGeometry, AngleWalksUpBySevenAndDownByFive) {
  FlipGeometry flip;
  std::vector<int> up;
  while (!flip.stepAngle(true)) up.push_back(flip.angle());
  up.push_back(flip.angle());
  EXPECT_EQ(up.front(), 7);
  EXPECT_EQ(up[up.size() - 2], 175);
  EXPECT_EQ(up.back(), 180);
  EXPECT_EQ(up.size(), 26u);

  int downSteps = 0;
  while (!flip.stepAngle(false)) ++downSteps;
  EXPECT_EQ(downSteps + 1, 36);
  EXPECT_EQ(flip.angle(), 0);
}

TEST(FlipGeometry, ProjectsTheCornersWithPerspective) {
  FlipGeometry flip;
  flip.setSize(200, 100);
  flip.setAngle(0);
  auto flat = flip.projectedCorners();
  EXPECT_EQ(flat[0], (PointI{0, 0}));
  EXPECT_EQ(flat[1], (PointI{0, 100}));
  EXPECT_EQ(flat[2], (PointI{200, 100}));
  EXPECT_EQ(flat[3], (PointI{200, 0}));

  // Edge-on, the window collapses onto its vertical centre line.
  flip.setAngle(90);
  for (const auto& corner : flip.projectedCorners()) EXPECT_NEAR(corner.x, 100, 1);

  // At 45 degrees the near edge (right, z' > 0 is farther) shrinks.
  flip.setAngle(45);
  auto turned = flip.projectedCorners();
  int leftHeight = turned[1].y - turned[0].y;
  int rightHeight = turned[2].y - turned[3].y;
  EXPECT_NE(leftHeight, rightHeight);
  // d = 1.2 * 300 = 360; left corner: x = -100, z' = -70.71, s = 360 / 289.29
  EXPECT_EQ(turned[0].x, static_cast<int>(std::trunc(360.0 / (360.0 - 70.71052) * -70.71052)) + 100);

  // Past 90 degrees the card is turned round, not mirrored (within a pixel:
  // the walk has always used pi as 3.141592).
  flip.setAngle(180);
  auto back = flip.projectedCorners();
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(back[i].x, flat[i].x, 1) << i;
    EXPECT_NEAR(back[i].y, flat[i].y, 1) << i;
  }
}

TEST(FlipGeometry, EdgeWalkVisitsEveryStepOnce) {
  auto points = FlipGeometry::edgePoints({0, 0}, {5, 2});
  EXPECT_EQ(points.size(), 6u);
  EXPECT_EQ(points.front(), (PointI{0, 0}));
  EXPECT_EQ(points.back(), (PointI{5, 2}));
  EXPECT_EQ(FlipGeometry::edgePoints({3, 3}, {3, 3}).size(), 1u);
  EXPECT_EQ(FlipGeometry::edgePoints({10, 0}, {0, 0}).size(), 11u);
}

TEST(FlipGeometry, TheOtherWayMirrorsTheTurnAboutTheCentreLine) {
  FlipGeometry flip;
  flip.setSize(200, 100);
  flip.setAngle(45);
  auto one = flip.projectedCorners();
  auto other = flip.projectedCorners(true);
  // The left edge now comes forward: it is taller than the right one, the
  // mirror image of the first way, and left still stays left.
  EXPECT_EQ(other[1].y - other[0].y, one[2].y - one[3].y);
  EXPECT_EQ(other[2].y - other[3].y, one[1].y - one[0].y);
  EXPECT_NEAR(other[0].x, 200 - one[3].x, 1);
  EXPECT_LT(other[0].x, other[3].x);
}
