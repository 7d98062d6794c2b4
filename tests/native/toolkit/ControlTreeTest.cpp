#include "toolkit/core/ControlTree.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/native/toolkit/FakeLookup.h"
#include "tests/native/toolkit/RecordingControl.h"

namespace talvek::test {
namespace {

const HostWindow kWindow = fakeWindow(0x100);
const HostWindow kOtherWindow = fakeWindow(0x200);

class ControlTreeTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.clear(); }
  void TearDown() override { controlRegistry().clear(); }

  void append(const RoutedControl& control) { registry.insertAt(registry.count() + 1, control.handle); }

  ControlRegistry registry;
  FakeLookup lookup;
  std::vector<ReceivedEvent> log;
};

TEST_F(ControlTreeTest, EdgesOfTheHitAreaAreOutside) {
  RecordingControl control(log, kWindow, {10, 20, 30, 40});
  append(control);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 10, 30), 0);  // left edge
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 30, 20), 0);  // top edge
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 40, 30), 0);  // right edge
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 30, 60), 0);  // bottom edge
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 11, 21), control.handle);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 39, 59), control.handle);
}

TEST_F(ControlTreeTest, FarEdgesOfHugeAreasDoNotOverflow) {
  EXPECT_TRUE(containsPoint({INT_MAX - 10, 0, 100, 10}, INT_MAX - 2, 5));
  EXPECT_FALSE(containsPoint({INT_MIN, 0, -5, 10}, INT_MIN + 1, 5));
}

TEST_F(ControlTreeTest, EarlierRegisteredSiblingWins) {
  RecordingControl first(log, kWindow, {0, 0, 50, 50});
  RecordingControl second(log, kWindow, {20, 20, 50, 50});
  append(first);
  append(second);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 30, 30), first.handle);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 60, 60), second.handle);
}

TEST_F(ControlTreeTest, DisabledOrHiddenControlsLetTheMouseThrough) {
  RecordingControl panel(log, kWindow, {0, 0, 100, 100});
  RecordingControl button(log, kWindow, {10, 10, 20, 20}, panel.handle, 2);
  append(button);
  append(panel);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 15, 15), button.handle);

  button.disabled = 1;
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 15, 15), panel.handle);

  button.disabled = 0;
  panel.disabled = 1;  // a disabled parent disables its children
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 15, 15), 0);

  panel.disabled = 0;
  panel.visible = 0;  // so does a hidden one hide them
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 15, 15), 0);

  panel.visible = 1;
  lookup.forms[-1] = kWindow;
  lookup.disabledWindows.insert(kWindow);  // the form's window is disabled
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 15, 15), 0);
}

TEST_F(ControlTreeTest, SearchStaysInsideTheWindowsRun) {
  RecordingControl ours(log, kWindow, {0, 0, 10, 10});
  RecordingControl theirs(log, kOtherWindow, {0, 0, 100, 100});
  RecordingControl oursAfterTheRun(log, kWindow, {50, 50, 10, 10});
  registry.insertAt(1, -1);  // form entries are skipped
  append(ours);
  append(theirs);
  append(oursAfterTheRun);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 5, 5), ours.handle);
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 55, 55), 0);
  EXPECT_EQ(hitTest(registry, lookup, kOtherWindow, 55, 55), theirs.handle);
}

TEST_F(ControlTreeTest, ParentLoopsEndTheWalk) {
  RecordingControl a(log, kWindow, {0, 0, 10, 10});
  RecordingControl b(log, kWindow, {0, 0, 10, 10}, a.handle);
  a.parent = b.handle;
  append(a);
  EXPECT_FALSE(isShown(lookup, a.handle));
  EXPECT_TRUE(isDisabled(lookup, a.handle));
  EXPECT_EQ(hitTest(registry, lookup, kWindow, 5, 5), 0);
}

TEST_F(ControlTreeTest, RemovingASubtreeSendsEventTwoChildrenFirst) {
  for (bool leaves : {false, true}) {
    registry.clear();
    log.clear();
    RecordingControl outside(log, kWindow, {}, -1, 1);
    RecordingControl top(log, kWindow, {}, -1, 1);
    RecordingControl middle(log, kWindow, {}, top.handle, 2);
    RecordingControl leafA(log, kWindow, {}, middle.handle, 3);
    RecordingControl leafB(log, kWindow, {}, middle.handle, 3);
    for (RecordingControl* control : {&outside, &top, &middle, &leafA, &leafB}) {
      control->leavesRegistryOnDestroy = leaves;
    }
    // The registry this test works on is the process one, as the real
    // control base removes itself from it.
    ControlRegistry& shared = controlRegistry();
    shared.clear();
    for (RoutedControl* control : std::initializer_list<RoutedControl*>{&outside, &leafA, &leafB, &middle, &top}) {
      shared.insertAt(shared.count() + 1, control->handle);
    }
    EXPECT_EQ(subtreeStart(shared, lookup, 5), 2);
    EXPECT_EQ(subtreeStart(shared, lookup, 1), 1);

    EXPECT_EQ(removeControlSubtree(shared, lookup, 5), 4) << "leaves: " << leaves;
    std::vector<ReceivedEvent> expected{
        {leafA.handle, 2}, {leafB.handle, 2}, {middle.handle, 2}, {top.handle, 2}};
    EXPECT_EQ(log, expected);
    ASSERT_EQ(shared.count(), 1);
    EXPECT_EQ(shared.at(1), outside.handle);
    EXPECT_EQ(removeControlSubtree(shared, lookup, 2), 0);
    EXPECT_EQ(removeControlSubtree(shared, lookup, 0), 0);
  }
}

TEST_F(ControlTreeTest, DestroyingAWindowRemovesItsEntriesAndUnattachedOnes) {
  RecordingControl panel(log, kWindow, {}, -1, 1);
  RecordingControl child(log, kWindow, {}, panel.handle, 2);
  RecordingControl sibling(log, kWindow, {}, -1, 1);
  RecordingControl unattached(log, nullptr, {}, 0, 1);
  RecordingControl elsewhere(log, kOtherWindow, {}, -2, 1);
  for (RecordingControl* control : {&panel, &child, &sibling, &unattached, &elsewhere}) {
    control->leavesRegistryOnDestroy = true;
  }
  lookup.forms[-1] = kWindow;
  lookup.forms[-2] = kOtherWindow;
  ControlRegistry& shared = controlRegistry();
  shared.clear();
  for (ControlRef ref : {-1, -2, child.handle, panel.handle, sibling.handle, unattached.handle, elsewhere.handle}) {
    shared.insertAt(shared.count() + 1, ref);
  }

  EXPECT_EQ(removeWindowControls(shared, lookup, kWindow), 5);
  ASSERT_EQ(shared.count(), 2);
  EXPECT_EQ(shared.at(1), -2);
  EXPECT_EQ(shared.at(2), elsewhere.handle);
  std::vector<ReceivedEvent> expected{
      {child.handle, 2}, {panel.handle, 2}, {sibling.handle, 2}, {unattached.handle, 2}};
  EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace talvek::test
