#include "toolkit/core/MenuChain.h"

#include <gtest/gtest.h>

#include "tests/native/toolkit/RecordingControl.h"

namespace talvek::test {
namespace {

const std::vector<MenuRecord> kChain{{1, fakeWindow(1)}, {2, fakeWindow(2)}, {3, fakeWindow(3)}};

TEST(MenuChain, ButtonUpInAnyPopupHidesTheWholeChain) {
  for (const MenuRecord& clicked : kChain) {
    std::vector<HostWindow> hidden = menusToHideOnButtonUp(kChain, clicked.window);
    for (const MenuRecord& record : kChain) {
      EXPECT_NE(std::find(hidden.begin(), hidden.end(), record.window), hidden.end());
    }
  }
  // Open submenus of the clicked popup go first.
  std::vector<HostWindow> fromFirst = menusToHideOnButtonUp(kChain, fakeWindow(1));
  EXPECT_EQ(fromFirst.front(), fakeWindow(2));
}

TEST(MenuChain, PositionsOutsideTheListSelectOnlyTheList) {
  std::vector<MenuRecord> broken{{-5, fakeWindow(1)}, {99, fakeWindow(2)}};
  EXPECT_EQ(menusToHideOnButtonUp(broken, fakeWindow(2)).size(), 2u);
  EXPECT_EQ(menusToHideOnButtonUp(broken, fakeWindow(1)).size(), 4u);
  EXPECT_TRUE(menusToHideOnButtonUp({}, fakeWindow(1)).empty());
}

TEST(MenuChain, FocusLossHidesOnlyAfterTheMouseLeft) {
  EXPECT_TRUE(menusToHideOnFocusLoss(kChain, 0).empty());
  EXPECT_EQ(menusToHideOnFocusLoss(kChain, 1).size(), 3u);
}

}  // namespace
}  // namespace talvek::test
