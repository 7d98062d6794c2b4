#include "toolkit/core/ShownPicture.h"

#include <gtest/gtest.h>

#include <vector>

using namespace talvek;

namespace {

bool operator==(const Rect& a, const Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// A picture stored bottom-up, as the canvases keep theirs.
struct BottomUp {
  int width, height;
  std::vector<std::uint32_t> memory;
  BottomUp(int w, int h, std::uint32_t fill = 0x80102030) : width(w), height(h), memory(w * h, fill) {}
  std::uint32_t& at(int x, int y) { return memory[(height - 1 - y) * width + x]; }
  ShownPicture::Pixels pixels() const { return {&memory[(height - 1) * width], -width, width, height}; }
};

}  // namespace

TEST(ShownPicture, TheFirstPictureAndOneOfANewSizeAreChangedWhole) {
  ShownPicture shown;
  BottomUp picture(40, 30);
  EXPECT_TRUE(shown.takeChanges(picture.pixels()) == (Rect{0, 0, 40, 30}));
  EXPECT_TRUE(shown.takeChanges(picture.pixels()) == Rect{}) << "the same picture changes nothing";
  BottomUp taller(40, 31);
  EXPECT_TRUE(shown.takeChanges(taller.pixels()) == (Rect{0, 0, 40, 31}));
  shown.forget();
  EXPECT_FALSE(shown.known());
  EXPECT_TRUE(shown.takeChanges(taller.pixels()) == (Rect{0, 0, 40, 31})) << "a forgotten picture compares with nothing";
}

TEST(ShownPicture, TheChangeIsTheBoxAroundEveryChangedPixelInScreenRows) {
  ShownPicture shown;
  BottomUp picture(40, 30);
  shown.takeChanges(picture.pixels());
  picture.at(5, 2) = 1;
  EXPECT_TRUE(shown.takeChanges(picture.pixels()) == (Rect{5, 2, 1, 1}));
  picture.at(39, 29) = 2;
  picture.at(0, 10) = 3;
  EXPECT_TRUE(shown.takeChanges(picture.pixels()) == (Rect{0, 10, 40, 20}));
  // The kept copy follows every change, so putting a pixel back is a change too.
  picture.at(5, 2) = 0x80102030;
  EXPECT_TRUE(shown.takeChanges(picture.pixels()) == (Rect{5, 2, 1, 1}));
  EXPECT_TRUE(shown.takeChanges(picture.pixels()) == Rect{});
}

TEST(ShownPicture, TopDownRowsAndAnEmptyPictureAreTakenAsWell) {
  ShownPicture shown;
  std::vector<std::uint32_t> topDown(12 * 8, 7);
  shown.takeChanges({topDown.data(), 12, 12, 8});
  topDown[3 * 12 + 11] = 8;
  EXPECT_TRUE(shown.takeChanges({topDown.data(), 12, 12, 8}) == (Rect{11, 3, 1, 1}));
  EXPECT_TRUE(shown.takeChanges({nullptr, 0, 0, 0}) == Rect{});
  EXPECT_FALSE(shown.known());
}
