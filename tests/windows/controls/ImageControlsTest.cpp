#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "tests/windows/controls/TestImages.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/PictureBox.h"
#include "toolkit/controls/TriStateButton.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek::test {
namespace {

constexpr Argb kRed = 0xFFCC2020;
constexpr Argb kGreen = 0xFF20AA40;
constexpr Argb kBlue = 0xFF2040CC;
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kBlack = 0xFF000000;
constexpr Argb kYellow = 0xFFE0C020;

// Left half white, right half transparent: the right half shows whatever
// the button puts behind its picture.
PixelRule leftHalfWhite(int width) {
  return [width](int x, int) { return x < width / 2 ? kWhite : Argb{0}; };
}

class ImageControls : public ControlsOnForm {
 protected:
  void SetUp() override {
    ControlsOnForm::SetUp();
    savedTransitions_ = animatedTransitions();
    animatedTransitions(1);
  }
  void TearDown() override {
    animatedTransitions(savedTransitions_);
    ControlsOnForm::TearDown();
  }
  // One tick of the fade-in, as its timer would deliver it.
  static void fadeTick(Control& control) { control.onEvent(control_event::kTimer, kFadeInTimerKey, 10); }
  static void settle(Control& control) {
    ASSERT_TRUE(waitUntil([&] { return !control.fadeRunning(); }, 5000));
  }

 private:
  int savedTransitions_ = 0;
};

TEST_F(ImageControls, AnImageButtonDrawsItsPictureUnscaledAndCutOffAtItsEdge) {
  // 60 x 60: red where x and y are below 40, green elsewhere. Shrunk into
  // the 30 x 30 button it would show green; drawn as it is, only red.
  const ByteBlock png = pngBytes(60, 60, [](int x, int y) { return x < 40 && y < 40 ? kRed : kGreen; });
  ASSERT_FALSE(png.empty());
  ImageButton button;
  ASSERT_TRUE(button.create(form.objectId(), {20, 20, 30, 30}, png));
  EXPECT_EQ(shown(20, 20), kRed);
  EXPECT_EQ(shown(49, 49), kRed);
  EXPECT_EQ(shown(50, 30), kFormColour);
  EXPECT_EQ(shown(30, 50), kFormColour);
  EXPECT_EQ(shown(70, 70), kFormColour);
  EXPECT_FALSE(button.create(form.objectId(), {0, 0, 5, 5}, png));
}

TEST_F(ImageControls, HoverDarkensBehindThePictureOverElevenTicksAndLeavingFadesBack) {
  ImageButton button;
  ASSERT_TRUE(button.create(form.objectId(), {20, 20, 30, 30}, pngBytes(30, 30, leftHalfWhite(30))));
  std::vector<int> owner;
  button.setEventProc(
      [&](HWND, ControlRef, int code, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t, std::intptr_t) {
        owner.push_back(code);
        return 0;
      });
  ASSERT_EQ(shown(45, 30), kFormColour);
  ASSERT_EQ(shown(25, 30), kWhite);

  button.onEvent(event::kMouseEnter, 0, 0);
  EXPECT_TRUE(button.hover());
  EXPECT_TRUE(button.fadeRunning());
  EXPECT_EQ(shown(45, 30), kFormColour);  // nothing changes before the first tick

  fadeTick(button);
  const Argb firstFrame = shown(45, 30);
  EXPECT_NE(firstFrame, kFormColour);
  EXPECT_NE(firstFrame, kBlack);
  for (int tick = 2; tick <= 10; ++tick) fadeTick(button);
  EXPECT_TRUE(button.fadeRunning());
  EXPECT_NE(shown(45, 30), kBlack);
  fadeTick(button);
  EXPECT_FALSE(button.fadeRunning());
  EXPECT_EQ(shown(45, 30), kBlack);
  EXPECT_EQ(shown(25, 30), kWhite);  // the picture stays on top

  button.onEvent(event::kMouseLeave, 0, 0);
  EXPECT_FALSE(button.hover());
  settle(button);
  EXPECT_EQ(shown(45, 30), kFormColour);
  EXPECT_EQ(owner, (std::vector<int>{13, 14}));

  // Without transitions the look changes at once.
  animatedTransitions(0);
  button.onEvent(event::kMouseEnter, 0, 0);
  EXPECT_FALSE(button.fadeRunning());
  EXPECT_EQ(shown(45, 30), kBlack);
}

TEST_F(ImageControls, AnImageButtonsNewPictureReplacesAndDisposesTheOldOne) {
  DisposalLog disposals;
  ImageButton button;
  ASSERT_TRUE(button.create(form.objectId(), {20, 20, 30, 30}, pngBytes(30, 30, [](int, int) { return kRed; })));
  const Gdiplus::GpImage* first = button.image().get();
  ASSERT_NE(first, nullptr);

  std::size_t before = disposals.total();
  button.setImage(pngBytes(30, 30, [](int, int) { return kGreen; }));
  EXPECT_TRUE(disposals.disposedOnceSince(before, first));
  settle(button);
  EXPECT_EQ(shown(30, 30), kGreen);

  // Bytes that are no image leave the button without a picture.
  const Gdiplus::GpImage* second = button.image().get();
  const ByteBlock junk{'n', 'o', 't', ' ', 'p', 'n', 'g'};
  before = disposals.total();
  button.setImage(junk);
  EXPECT_TRUE(disposals.disposedOnceSince(before, second));
  settle(button);
  EXPECT_FALSE(button.image());
  EXPECT_EQ(shown(30, 30), kFormColour);

  ImageButton empty;
  EXPECT_TRUE(empty.create(form.objectId(), {100, 20, 30, 30}, ByteView{}));
  EXPECT_EQ(shown(110, 30), kFormColour);
}

TEST_F(ImageControls, APictureBoxOwnsItsPictureUntilReplacedOrCleared) {
  DisposalLog disposals;
  PictureBox box;
  GdiplusImage red = solidImage(40, 40, kRed);
  const Gdiplus::GpImage* redImage = red.get();
  ASSERT_TRUE(box.create(form.objectId(), {20, 20, 30, 30}, std::move(red)));
  EXPECT_EQ(shown(49, 49), kRed);
  EXPECT_EQ(shown(51, 30), kFormColour);

  // A second creation is refused; the picture it was given is let go and
  // the first one stays.
  GdiplusImage refused = solidImage(10, 10, kBlue);
  const Gdiplus::GpImage* refusedImage = refused.get();
  EXPECT_FALSE(box.create(form.objectId(), {0, 0, 10, 10}, std::move(refused)));
  EXPECT_EQ(disposals.count(refusedImage), 1);
  EXPECT_EQ(box.picture().get(), redImage);

  box.setPicture(pngBytes(30, 30, [](int, int) { return kGreen; }));
  EXPECT_EQ(disposals.count(redImage), 1);
  EXPECT_EQ(shown(30, 30), kGreen);

  // Counted from here: decoding frees bitmaps of its own, whose addresses
  // the picture may take again.
  const Gdiplus::GpImage* greenImage = box.picture().get();
  const std::size_t beforeClearing = disposals.total();
  EXPECT_TRUE(box.clearPicture());
  EXPECT_TRUE(disposals.disposedOnceSince(beforeClearing, greenImage));
  EXPECT_FALSE(box.clearPicture());  // nothing left to dispose
  box.redraw();
  EXPECT_EQ(shown(30, 30), kFormColour);

  // A picture that records a low resolution is still drawn pixel for
  // pixel, not enlarged to its printed size.
  GdiplusImage lowResolution = solidImage(10, 10, kBlue);
  gdip::GdipBitmapSetResolution(static_cast<Gdiplus::GpBitmap*>(lowResolution.get()), 24, 24);
  box.setPicture(std::move(lowResolution));
  EXPECT_EQ(shown(25, 25), kBlue);
  EXPECT_EQ(shown(35, 35), kFormColour);

  PictureBox fromBytes;
  ASSERT_TRUE(fromBytes.create(form.objectId(), {100, 20, 20, 20}, pngBytes(20, 20, leftHalfWhite(20))));
  EXPECT_EQ(shown(105, 25), kWhite);
  EXPECT_EQ(shown(115, 25), kFormColour);
}

class TriStateButtons : public ImageControls {
 protected:
  static constexpr Rect kArea{40, 40, 50, 30};
  static constexpr int kInsideX = 60, kInsideY = 50;

  bool create(TriStateButton& button, Argb normal, Argb hover, Argb pressed) {
    return button.create(form.objectId(), kArea, solidImage(50, 30, normal), solidImage(50, 30, hover),
                         solidImage(50, 30, pressed));
  }
  Argb inside() const { return shown(kInsideX, kInsideY); }
  LPARAM at() const { return MAKELPARAM(kInsideX, kInsideY); }
};

TEST_F(TriStateButtons, TheMouseChoosesThePictureAndAReleaseKeepsThePressedOne) {
  TriStateButton button;
  ASSERT_TRUE(create(button, kRed, kGreen, kBlue));
  EXPECT_EQ(button.state(), TriStateButton::kNormal);
  EXPECT_EQ(inside(), kRed);
  std::vector<std::pair<int, std::intptr_t>> owner;
  button.setEventProc([&](HWND, ControlRef from, int code, std::intptr_t arg1, std::intptr_t, std::intptr_t,
                          std::intptr_t, std::intptr_t) {
    if (from == button.handle && code >= 1 && code <= 3) owner.push_back({code, arg1});
    return 0;
  });

  // Through the form's own message handling, as the mouse would do it.
  SendMessageW(form.hwnd(), WM_MOUSEMOVE, 0, at());
  EXPECT_EQ(button.state(), TriStateButton::kHover);
  settle(button);
  EXPECT_EQ(inside(), kGreen);

  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at());
  EXPECT_EQ(button.state(), TriStateButton::kPressed);
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, at());
  EXPECT_EQ(button.state(), TriStateButton::kPressed);
  settle(button);
  EXPECT_EQ(inside(), kBlue);
  const std::intptr_t local = MAKELONG(kInsideX - kArea.x, kInsideY - kArea.y);
  EXPECT_EQ(owner, (std::vector<std::pair<int, std::intptr_t>>{{2, local}, {3, local}, {1, local}}));

  SendMessageW(form.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
  EXPECT_EQ(button.state(), TriStateButton::kNormal);
  settle(button);
  EXPECT_EQ(inside(), kRed);
}

TEST_F(TriStateButtons, NewImagesDisposeEachOldOneOnceAndShowTheCurrentState) {
  DisposalLog disposals;
  TriStateButton button;
  ASSERT_TRUE(create(button, kRed, kGreen, kBlue));
  const Gdiplus::GpImage* old[3] = {button.stateImage(0).get(), button.stateImage(1).get(), button.stateImage(2).get()};
  button.onEvent(event::kMouseEnter, 0, 0);
  settle(button);

  button.setImages(solidImage(50, 30, kYellow), solidImage(50, 30, kWhite), solidImage(50, 30, kBlack));
  for (const Gdiplus::GpImage* image : old) EXPECT_EQ(disposals.count(image), 1);
  EXPECT_EQ(disposals.total(), 3u);
  EXPECT_EQ(button.state(), TriStateButton::kHover);
  EXPECT_EQ(inside(), kWhite);

  // From bytes, the same.
  const Gdiplus::GpImage* given[3] = {button.stateImage(0).get(), button.stateImage(1).get(),
                                      button.stateImage(2).get()};
  button.setImages(pngBytes(50, 30, [](int, int) { return kRed; }), pngBytes(50, 30, [](int, int) { return kGreen; }),
                   pngBytes(50, 30, [](int, int) { return kBlue; }));
  for (const Gdiplus::GpImage* image : given) EXPECT_EQ(disposals.count(image), 1);
  EXPECT_EQ(inside(), kGreen);
}

TEST_F(TriStateButtons, NewImagesDuringAFadeAreNotOverwrittenByTheFadesOldPicture) {
  TriStateButton button;
  ASSERT_TRUE(create(button, kRed, kGreen, kBlue));
  button.onEvent(event::kMouseEnter, 0, 0);
  ASSERT_TRUE(button.fadeRunning());
  button.setImages(solidImage(50, 30, kYellow), solidImage(50, 30, kWhite), solidImage(50, 30, kBlack));
  EXPECT_FALSE(button.fadeRunning());
  waitUntil([] { return false; }, 200);  // any stray fade tick would land here
  EXPECT_EQ(inside(), kWhite);
}

TEST_F(TriStateButtons, ClearedImagesDrawNothingInAnyState) {
  DisposalLog disposals;
  TriStateButton button;
  ASSERT_TRUE(create(button, kRed, kGreen, kBlue));
  button.clearImages();
  EXPECT_EQ(button.state(), TriStateButton::kNoState);
  EXPECT_EQ(disposals.total(), 3u);
  button.redraw();
  EXPECT_EQ(inside(), kFormColour);

  button.onEvent(event::kLeftDown, 0, 0);
  settle(button);
  EXPECT_EQ(inside(), kFormColour);
  button.clearImages();  // nothing more to dispose
  EXPECT_EQ(disposals.total(), 3u);

  // Empty images given from the start behave the same.
  TriStateButton blank;
  ASSERT_TRUE(blank.create(form.objectId(), {150, 40, 30, 30}, GdiplusImage{}, GdiplusImage{}, GdiplusImage{}));
  EXPECT_EQ(shown(160, 50), kFormColour);
}

}  // namespace
}  // namespace talvek::test
