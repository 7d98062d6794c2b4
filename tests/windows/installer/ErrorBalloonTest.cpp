#include "installer/ErrorBalloon.h"

#include <gtest/gtest.h>

#include "installer/DirectoryPreparation.h"
#include "installer/ServiceWindow.h"
#include "tests/windows/TestSupport.h"
#include "toolkit/core/GdiplusHandles.h"

using namespace talvek;

namespace {

class ErrorBalloonTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service.create()); }
  GdiplusSession gdiplus;
  ServiceWindow service;
};

RECT windowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace

TEST_F(ErrorBalloonTest, ShowsTheMessageWithItsTipAboveThePointer) {
  SetCursorPos(400, 500);
  service.showErrorBalloon(message::kChinesePath);
  const ErrorBalloon& balloon = service.balloon();
  ASSERT_TRUE(balloon.isVisible());
  RECT rect = windowRect(balloon.handle());
  POINT pointer{};
  GetCursorPos(&pointer);
  // The tail's tip sits at the pointer, 20 pixels higher; the body above it.
  EXPECT_EQ(rect.bottom, pointer.y - 20);
  EXPECT_LE(rect.left, pointer.x);
  EXPECT_GT(rect.right, pointer.x);
  EXPECT_GT(rect.right - rect.left, 200);
  EXPECT_GT(rect.bottom - rect.top, 60);
}

TEST_F(ErrorBalloonTest, ALongerMessageMakesALargerBalloonWithinItsWidth) {
  ErrorBalloon balloon;
  ASSERT_TRUE(balloon.create(service.handle()));
  balloon.show("short", POINT{300, 600});
  RECT small = windowRect(balloon.handle());
  balloon.show(std::string(message::kErrorPrefix) + deletionFailedMessage("C:\\Program Files\\Talvek\\"),
               POINT{300, 600});
  RECT large = windowRect(balloon.handle());
  EXPECT_GT(large.bottom - large.top, small.bottom - small.top);
  EXPECT_LE(large.right - large.left, 480);
}

TEST_F(ErrorBalloonTest, NearTheTopOfTheScreenTheBalloonHangsBelowThePoint) {
  ErrorBalloon balloon;
  ASSERT_TRUE(balloon.create(service.handle()));
  balloon.show("near the top", POINT{300, 5});
  EXPECT_EQ(windowRect(balloon.handle()).top, 5);
}

TEST_F(ErrorBalloonTest, AClickOnTheBalloonOrAHideCallHidesIt) {
  ErrorBalloon balloon;
  ASSERT_TRUE(balloon.create(service.handle()));
  balloon.show("click me", POINT{300, 600});
  ASSERT_TRUE(balloon.isVisible());
  SendMessageW(balloon.handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_FALSE(balloon.isVisible());
  balloon.show("again", POINT{300, 600});
  balloon.hide();
  EXPECT_FALSE(balloon.isVisible());
}
