#include "toolkit/controls/ProgressIndicator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "toolkit/core/EventDelivery.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {

constexpr Rect kArea{10, 10, 160, 160};
constexpr Argb kGreen = 0xFF00C000;
constexpr Argb kRed = 0xFFFF0000;
constexpr Argb kBarBack = 0xFFFFFF00;

int channel(Argb c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }
bool closeTo(Argb c, Argb expected) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(channel(c, shift) - channel(expected, shift)) > 12) return false;
  }
  return true;
}
bool whitish(Argb c) { return channel(c, 0) > 200 && channel(c, 8) > 200 && channel(c, 16) > 200; }

ProgressOptions ringOptions(int look, float position, float maximum = 100) {
  ProgressOptions options;
  options.maximum = maximum;
  options.position = position;
  options.color1 = kGreen;
  options.color2 = kRed;
  options.backColor = kBarBack;
  options.textStyle = describeTextStyle(std::nullopt, std::nullopt, 15, 0xFFFFFFFF);
  options.look = look;
  return options;
}

class ProgressOnForm : public ControlsOnForm {
 protected:
  // Control coordinates, read from the form canvas.
  Argb at(int x, int y) const { return shown(kArea.x + x, kArea.y + y); }
  // Inside the 20-pixel progress band, clear of the thin circle on its
  // centre line, in the middle of each quarter clockwise from twelve.
  std::vector<bool> progressInQuarters() const {
    std::vector<bool> found;
    for (auto [x, y] : {std::pair{117, 42}, {117, 117}, {42, 117}, {42, 42}})
      found.push_back(closeTo(at(x, y), kGreen));
    return found;
  }
  int centreTextPixels() const {
    int count = 0;
    for (int y = 60; y < 100; ++y)
      for (int x = 40; x < 120; ++x) count += whitish(at(x, y)) ? 1 : 0;
    return count;
  }

  ProgressIndicator ring;
};

TEST_F(ProgressOnForm, TheRingSweepsByPercentWhateverTheMaximumAndAlwaysShowsTheText) {
  ASSERT_TRUE(ring.create(form.objectId(), kArea, ringOptions(kLookRing, 0, 1000)));
  EXPECT_EQ(progressInQuarters(), (std::vector<bool>{false, false, false, false})) << "no arc at 0";
  const int zeroText = centreTextPixels();
  EXPECT_GT(zeroText, 10) << "\"0%\" in the centre";

  EXPECT_EQ(ring.position(25), 25.0f);
  EXPECT_EQ(progressInQuarters(), (std::vector<bool>{true, false, false, false}));

  ring.position(100);
  EXPECT_EQ(progressInQuarters(), (std::vector<bool>{true, true, true, true})) << "a full circle at 100 of 1000";
  EXPECT_GT(centreTextPixels(), zeroText) << "\"100%\" is wider than \"0%\"";
}

TEST_F(ProgressOnForm, APositionSetFromAnotherThreadIsDrawnOnTheControlsOwnThread) {
  ASSERT_TRUE(ring.create(form.objectId(), kArea, ringOptions(kLookRing, 0)));
  const std::vector<Argb> before = picture(kArea);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    ring.position(2);
    ring.position(100);
    done = true;
  });
  Sleep(200);
  EXPECT_FALSE(done.load()) << "the worker waits for this thread to draw";
  EXPECT_EQ(picture(kArea), before);
  const bool finished = waitUntil([&] { return done.load(); }, 5000);
  worker.join();
  ASSERT_TRUE(finished);
  EXPECT_EQ(ring.position(), 100.0f);
  EXPECT_EQ(progressInQuarters(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(ProgressOnForm, OnALayeredWindowManyPositionsBetweenTwoPresentsShowAsTheLastOne) {
  form.layeredMode(true);
  ASSERT_TRUE(ring.create(form.objectId(), kArea, ringOptions(kLookRing, 0)));
  const std::vector<Argb> atZero = picture(kArea);
  for (int percent = 1; percent <= 60; ++percent) ring.position(static_cast<float>(percent));
  EXPECT_EQ(ring.position(), 60.0f);
  EXPECT_EQ(picture(kArea), atZero) << "no percentage drawn before the window presents";

  ASSERT_TRUE(waitUntil([&] { return !presentPending(form.hwnd()); }, 5000)) << "the window's own present";
  EXPECT_EQ(progressInQuarters(), (std::vector<bool>{true, true, false, false}));
  const std::vector<Argb> presented = picture(kArea);
  ring.redraw();
  EXPECT_EQ(picture(kArea), presented) << "the ring at 60 as a fresh drawing shows it";
}

TEST_F(ProgressOnForm, RichEditContentNamingTheRingDoesNotRedrawIt) {
  ASSERT_TRUE(ring.create(form.objectId(), kArea, ringOptions(kLookHorizontalBar, 0)));
  ring.applyProperties({{"Type", "", "3"}});
  const std::vector<Argb> before = picture(kArea);
  // What the loopback server delivers for a post naming the ring.
  const std::u16string content = u"posted";
  sendControlEvent(ring.handle, 301, 2, reinterpret_cast<std::intptr_t>(content.c_str()));
  EXPECT_EQ(picture(kArea), before);
}

TEST_F(ProgressOnForm, OnlyABusyRingMadeSoSpinsAndItsTimerTurnsTheAccents) {
  ASSERT_TRUE(ring.create(form.objectId(), kArea, ringOptions(kLookBusyRing, 40)));
  const std::vector<Argb> first = picture(kArea);
  ASSERT_TRUE(waitUntil([&] { return ring.spin().outer >= 45; }, 5000));
  EXPECT_EQ(ring.spin().inner % 360, (ring.spin().outer * 2) % 360) << "the inner accent turns twice as fast";
  EXPECT_NE(picture(kArea), first) << "the accents moved on screen";

  ProgressIndicator still;
  ASSERT_TRUE(still.create(form.objectId(), {180, 10, 100, 100}, ringOptions(kLookRing, 40)));
  EXPECT_EQ(still.look(kLookBusyRing, true), kLookBusyRing);
  waitUntil([] { return false; }, 200);
  EXPECT_EQ(still.spin().outer, 0);
  EXPECT_EQ(still.spin().inner, 0);
}

TEST_F(ProgressOnForm, AHiddenBusyRingStaysStillAndTurnsOnceShown) {
  ProgressOptions options = ringOptions(kLookBusyRing, 40);
  options.visible = 0;
  ASSERT_TRUE(ring.create(form.objectId(), kArea, options));
  waitUntil([] { return false; }, 200);
  EXPECT_EQ(ring.spin().outer, 0) << "made hidden";

  ring.visible(1);
  ASSERT_TRUE(waitUntil([&] { return ring.spin().outer >= 45; }, 5000)) << "shown";

  ring.visible(0);
  waitUntil([] { return false; }, 100);  // a tick already queued may still land
  const int hiddenAt = ring.spin().outer;
  waitUntil([] { return false; }, 200);
  EXPECT_EQ(ring.spin().outer, hiddenAt) << "hidden again";
  ring.visible(1);
  ASSERT_TRUE(waitUntil([&] { return ring.spin().outer != hiddenAt; }, 5000)) << "shown again";
}

TEST_F(ProgressOnForm, PropertiesAndColoursShowAtTheNextRedraw) {
  ASSERT_TRUE(ring.create(form.objectId(), kArea, ringOptions(kLookHorizontalBar, 0)));
  EXPECT_EQ(at(150, 3), premultiplied(kBarBack)) << "a bar with nothing filled";
  ring.applyProperties({{"Type", "", "3"}, {"Pos", "", "100"}, {"Unknown", "", "7"}, {"Max", "", "400"}});
  EXPECT_EQ(ring.look(), kLookRing);
  EXPECT_EQ(ring.position(), 100.0f);
  EXPECT_EQ(ring.maximum(), 400.0f);
  EXPECT_EQ(at(150, 3), premultiplied(kBarBack)) << "not yet redrawn";

  ring.redraw();
  EXPECT_NE(at(150, 3), premultiplied(kBarBack));
  EXPECT_EQ(progressInQuarters(), (std::vector<bool>{true, true, true, true}));

  ring.setColors(kRed, std::nullopt, std::nullopt);
  EXPECT_EQ(ring.color1(), kRed);
  EXPECT_TRUE(closeTo(at(117, 42), kGreen)) << "unchanged until redrawn";
  ring.redraw();
  EXPECT_TRUE(closeTo(at(117, 42), kRed));
}

}  // namespace
}  // namespace talvek::test
