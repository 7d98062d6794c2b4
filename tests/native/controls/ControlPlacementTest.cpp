#include "toolkit/controls/ControlPlacement.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/native/toolkit/FakeLookup.h"
#include "tests/native/toolkit/RecordingControl.h"

namespace talvek::test {
namespace {

const HostWindow kWindow = fakeWindow(0x100);
const HostWindow kOtherWindow = fakeWindow(0x200);
constexpr ControlRef kForm = -7;
constexpr ControlRef kOtherForm = -8;

TEST(ControlPlacement, OverlapsAreClippedAndFarEdgesDoNotOverflow) {
  EXPECT_EQ(intersectRects({0, 0, 10, 10}, {5, 5, 10, 10}).width, 5);
  EXPECT_TRUE(isEmptyRect(intersectRects({0, 0, 10, 10}, {10, 0, 5, 5})));  // touching edges only
  const Rect huge = intersectRects({INT_MAX - 5, 0, INT_MAX, 10}, {INT_MAX - 2, 0, 100, 10});
  EXPECT_EQ(huge.x, INT_MAX - 2);
  EXPECT_EQ(huge.width, 100);
}

TEST(ControlPlacement, ANewChildGoesToTheFrontOfItsParentsRunAndStaysInItsWindow) {
  FakeLookup lookup;
  lookup.forms = {{kForm, kWindow}, {kOtherForm, kOtherWindow}};
  std::vector<ReceivedEvent> log;
  RecordingControl other(log, kOtherWindow, {}, kOtherForm, 1);
  RecordingControl panel(log, kWindow, {}, kForm, 1);
  RecordingControl child(log, kWindow, {}, panel.handle, 2);
  ControlRegistry registry;
  // [other's control, other form, child, panel, form]
  for (ControlRef ref : {other.handle, kOtherForm, child.handle, panel.handle, kForm}) {
    registry.insertAt(registry.count() + 1, ref);
  }
  EXPECT_EQ(childInsertionIndex(registry, lookup, 4), 3);  // in front of the older child
  EXPECT_EQ(childInsertionIndex(registry, lookup, 5), 3);  // the form's run starts after the other form
  EXPECT_EQ(childInsertionIndex(registry, lookup, 2), 1);  // nothing in front: the very front
  EXPECT_EQ(childInsertionIndex(registry, lookup, 9), 1);  // no such parent
  controlRegistry().clear();
}

}  // namespace
}  // namespace talvek::test
