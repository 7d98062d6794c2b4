#include "toolkit/core/CaptionButtonSet.h"

#include <gtest/gtest.h>

using namespace talvek;

namespace {

// Close 30 wide, maximise/restore 28, minimise 26, the rest 24; all 20 high.
const std::array<ButtonSize, caption::kTypeCount> kSizes{
    {{30, 20}, {28, 20}, {28, 20}, {26, 20}, {24, 20}, {24, 20}, {24, 20}}};

std::vector<int> types(const CaptionButtonSet& set) {
  std::vector<int> result;
  for (const auto& button : set.buttons()) result.push_back(button.type);
  return result;
}

CaptionButtonSet laidOut(int styleFlags, int width = 400, int inset = 5) {
  CaptionButtonSet set;
  set.rebuild(styleFlags);
  set.layout(width, inset, 10, kSizes);
  return set;
}

}  // namespace

TEST(CaptionButtonSet, StyleFlagsChooseTheButtonsCloseFirst) {
  EXPECT_EQ(types(laidOut(47)), (std::vector<int>{caption::kClose, caption::kMaximise, caption::kMinimise}));
  EXPECT_EQ(types(laidOut(2)), (std::vector<int>{caption::kClose}));
  EXPECT_EQ(types(laidOut(2 | 8 | 64 | 128 | 256)),
            (std::vector<int>{caption::kClose, caption::kMinimise, caption::kMenu, caption::kHelp, caption::kSkin}));
  // Without the caption-button flag there are none, whatever else is set.
  EXPECT_TRUE(types(laidOut(1 | 4 | 8 | 64)).empty());
}

TEST(CaptionButtonSet, LayoutRunsRightToLeftInsideTheFrameAndMargin) {
  CaptionButtonSet set = laidOut(47, 400, 5);
  // Close: R = 400 - 30 = 370, x = 370 - 5 - 1 - 10 = 354.
  EXPECT_EQ(set.at(1).rect.x, 354);
  EXPECT_EQ(set.at(1).rect.y, 5);
  EXPECT_EQ(set.at(2).rect.x, 354 - 28);
  EXPECT_EQ(set.at(3).rect.x, 354 - 28 - 26);
  EXPECT_EQ(set.totalWidth(), 84);

  CaptionButtonSet flat = laidOut(47, 400, 0);
  EXPECT_EQ(flat.at(1).rect.x, 359);
  EXPECT_EQ(flat.at(1).rect.y, 0);

  // Missing images give buttons nothing can hit.
  CaptionButtonSet empty;
  empty.rebuild(47);
  empty.layout(400, 5, 10, {});
  EXPECT_EQ(empty.totalWidth(), 0);
  EXPECT_EQ(empty.indexAt(354, 5), 0);
}

TEST(CaptionButtonSet, HoverAndPressChangeStatesAndAskForFades) {
  CaptionButtonSet set = laidOut(47);
  CaptionOutcome over = set.mouse(CaptionInput::Move, 360, 10);
  EXPECT_EQ(set.at(1).state, caption::kHot);
  EXPECT_EQ(over.fadesToStart, std::vector<int>{1});
  EXPECT_TRUE(set.mouse(CaptionInput::Move, 361, 11).fadesToStart.empty()) << "no change, no fade";

  CaptionOutcome down = set.mouse(CaptionInput::Down, 360, 10);
  EXPECT_TRUE(down.takeCapture);
  EXPECT_EQ(set.at(1).state, caption::kPressed);

  CaptionOutcome up = set.mouse(CaptionInput::Up, 360, 10);
  EXPECT_TRUE(up.releaseCapture);
  EXPECT_EQ(up.action, caption::kClose);
  EXPECT_EQ(set.at(1).state, caption::kHot);

  set.mouse(CaptionInput::Leave, 0, 0);
  for (const auto& button : set.buttons()) EXPECT_EQ(button.state, caption::kNormal);
}

TEST(CaptionButtonSet, ReleasingAwayFromThePressedButtonDoesNothing) {
  CaptionButtonSet set = laidOut(47);
  set.mouse(CaptionInput::Down, 360, 10);  // close
  // Dragged over the maximise button while holding: it does not light up.
  set.mouse(CaptionInput::Move, 330, 10);
  EXPECT_EQ(set.at(2).state, caption::kNormal);
  EXPECT_EQ(set.at(1).state, caption::kNormal);

  CaptionOutcome onOther = set.mouse(CaptionInput::Up, 330, 10);
  EXPECT_EQ(onOther.action, 0);
  EXPECT_TRUE(onOther.releaseCapture);

  set.mouse(CaptionInput::Down, 360, 10);
  EXPECT_EQ(set.mouse(CaptionInput::Up, 100, 100).action, 0);

  CaptionOutcome outside = set.mouse(CaptionInput::Down, 100, 100);
  EXPECT_TRUE(outside.downOutside);
  EXPECT_FALSE(outside.takeCapture);
}

TEST(CaptionButtonSet, AFadeReachesItsTargetInAtMostThirteenTicks) {
  CaptionButtonSet set = laidOut(47);
  set.mouse(CaptionInput::Move, 360, 10);
  EXPECT_EQ(set.at(1).fade, 100);
  int ticks = 0;
  while (!set.fadeStep(1) && ticks < 100) ++ticks;
  ++ticks;
  EXPECT_EQ(ticks, 13);
  EXPECT_EQ(set.at(1).shownState, caption::kHot);
  EXPECT_EQ(set.at(1).fade, 0);

  // Back to where it is already shown: the fade ends on the next tick.
  set.mouse(CaptionInput::Move, 100, 100);
  set.mouse(CaptionInput::Move, 360, 10);
  EXPECT_TRUE(set.fadeStep(1));
  EXPECT_TRUE(set.fadeStep(99)) << "an unknown button has nothing left to fade";
}

TEST(CaptionButtonSet, MaximiseTurnsIntoRestoreAndBack) {
  CaptionButtonSet set = laidOut(47);
  set.setMaximised(true);
  EXPECT_EQ(types(set), (std::vector<int>{caption::kClose, caption::kRestore, caption::kMinimise}));
  set.setMaximised(false);
  EXPECT_EQ(types(set), (std::vector<int>{caption::kClose, caption::kMaximise, caption::kMinimise}));
}
