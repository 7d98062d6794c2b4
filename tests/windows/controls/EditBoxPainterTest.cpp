#include "toolkit/controls/EditBoxPainter.h"

#include <gtest/gtest.h>

#include "tests/windows/controls/TestCanvas.h"
#include "toolkit/core/TextStyleFlags.h"

using namespace talvek;
using namespace talvek::test;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 30;

TextStyle editStyle() {
  return TextStyle::build(describeTextStyle(256, std::nullopt, 14, 0xFF000000), true, true, true);
}

bool isColor(Gdiplus::ARGB c, Argb expected) { return c == expected; }

int countColor(const TestCanvas& canvas, Argb color) {
  return canvas.count({0, 0, kWidth, kHeight}, [color](Gdiplus::ARGB c) { return isColor(c, color); });
}

bool samePixels(const TestCanvas& a, const TestCanvas& b) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

struct EditFixture {
  EditFixture() : canvas(kWidth, kHeight), style(editStyle()) {}
  EditBoxLook look() { return EditBoxLook(model, style, kWidth, kHeight); }
  void paint(const EditBoxLook& l) { paintEditBox(canvas.graphics(), l); }

  TestCanvas canvas;
  EditTextModel model;
  TextStyle style;
};

}  // namespace

TEST(EditBoxPainter, SelectionBackgroundCoversOnlyTheSelectedCharacters) {
  EditFixture f;
  f.model.setText(u"MMMMMMMM");
  f.model.pressAt(2);
  f.model.dragTo(5, false);
  f.paint(f.look());
  const EditBoxColors colors;
  float left = 3 + prefixWidth(f.canvas.graphics(), f.style, u"MMMMMMMM", 2);
  float right = 3 + prefixWidth(f.canvas.graphics(), f.style, u"MMMMMMMM", 5);
  ASSERT_LT(left + 4, right);
  int selectedColumns = 0;
  for (int x = 0; x < kWidth; ++x) {
    if (f.canvas.count({x, 3, 1, kHeight - 6}, [&](Gdiplus::ARGB c) { return c == colors.selectBack; }) > 0) {
      ++selectedColumns;
      EXPECT_GE(x, static_cast<int>(left) - 1);
      EXPECT_LE(x, static_cast<int>(right) + 1);
    }
  }
  EXPECT_GT(selectedColumns, static_cast<int>(right - left) - 3);
  EXPECT_GT(countColor(f.canvas, colors.selectText), 0) << "selected letters in the selection text colour";
  EXPECT_EQ(f.canvas.pixel(kWidth - 10, 10), colors.back);
}

TEST(EditBoxPainter, PasswordModeLooksTheSameWhateverTheRealText) {
  EditFixture narrow, wide;
  narrow.model.setPasswordMode(true);
  wide.model.setPasswordMode(true);
  narrow.model.setText(u"iiiii");
  wide.model.setText(u"WWWWW");
  narrow.paint(narrow.look());
  wide.paint(wide.look());
  EXPECT_TRUE(samePixels(narrow.canvas, wide.canvas));

  EditFixture shorter;
  shorter.model.setPasswordMode(true);
  shorter.model.setText(u"iiii");
  shorter.paint(shorter.look());
  EXPECT_FALSE(samePixels(narrow.canvas, shorter.canvas)) << "one mask character per character";
}

TEST(EditBoxPainter, CaretShowsOnlyInItsVisiblePhaseAtTheCaretPosition) {
  EditFixture on, off;
  for (EditFixture* f : {&on, &off}) {
    f->model.setText(u"abc");
    f->model.setCaret(1);
  }
  EditBoxLook visible = on.look();
  visible.caretVisible = true;
  on.paint(visible);
  off.paint(off.look());
  const Argb caret = EditBoxColors().caret;
  EXPECT_EQ(countColor(off.canvas, caret), 0);
  ASSERT_GT(countColor(on.canvas, caret), 5);
  int x = 3 + static_cast<int>(prefixWidth(on.canvas.graphics(), on.style, u"abc", 1));
  EXPECT_GT(on.canvas.count({x - 1, 0, 3, kHeight}, [&](Gdiplus::ARGB c) { return c == caret; }), 5);
}

TEST(EditBoxPainter, FrameFollowsHoverAndHighlightsRecolourTheirRange) {
  EditFixture f;
  f.model.setText(u"MMMMMM");
  std::vector<EditHighlight> highlights{{1, 2, 0xFFFF0000}, {50, 3, 0xFF00FF00}};
  EditBoxLook look = f.look();
  look.colors.focusFrame = 0xFF0000FE;
  look.hot = true;
  look.highlights = &highlights;
  f.paint(look);
  EXPECT_EQ(f.canvas.pixel(0, 10), 0xFF0000FEu);
  float left = 3 + prefixWidth(f.canvas.graphics(), f.style, u"MMMMMM", 1);
  float right = 3 + prefixWidth(f.canvas.graphics(), f.style, u"MMMMMM", 3);
  int red = f.canvas.count({0, 0, kWidth, kHeight}, [](Gdiplus::ARGB c) { return redOf(c) > 150 && greenOf(c) < 100; });
  int redInRange = f.canvas.count({static_cast<int>(left) - 1, 0, static_cast<int>(right - left) + 3, kHeight},
                                  [](Gdiplus::ARGB c) { return redOf(c) > 150 && greenOf(c) < 100; });
  EXPECT_GT(red, 0);
  EXPECT_EQ(red, redInRange);
}

TEST(EditBoxPainter, APointFindsItsCharacterAlsoWhenScrolled) {
  EditFixture f;
  f.model.setText(u"0123456789");
  EditBoxLook look = f.look();
  EXPECT_EQ(editCharIndexAt(f.canvas.graphics(), look, 0), 0);
  EXPECT_EQ(editCharIndexAt(f.canvas.graphics(), look, kWidth), 10);
  float third = prefixWidth(f.canvas.graphics(), f.style, u"0123456789", 3);
  EXPECT_EQ(editCharIndexAt(f.canvas.graphics(), look, 3 + third + 0.5f), 3);
  look.textOffset = -third;
  EXPECT_EQ(editCharIndexAt(f.canvas.graphics(), look, 3.5f), 3);
}
