#include "toolkit/controls/Label.h"

#include <gtest/gtest.h>

#include "tests/windows/TestSupport.h"
#include "tests/windows/controls/FormFixture.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek::test {
namespace {

constexpr Rect kArea{20, 20, 200, 40};

class LabelOnForm : public ControlsOnForm {
 protected:
  int inked() const { return pixelsNotEqual(form.canvas(), kArea, kFormColour); }
};

TEST_F(LabelOnForm, ShowsItsTextAndChangesItAtOnceOrByFading) {
  const int before = animatedTransitions();
  animatedTransitions(1);
  ASSERT_EQ(inked(), 0);
  Label label;
  ASSERT_TRUE(label.create(form.objectId(), kArea, "即将开启Talvek之旅...",
                           describeTextStyle(0, std::nullopt, 16, 0xFFFFFFFF, 0)));
  EXPECT_GT(inked(), 50);

  label.setText("", true);
  EXPECT_EQ(inked(), 0);

  label.setText("Talvek", false);
  EXPECT_TRUE(label.fadeRunning());
  EXPECT_TRUE(waitUntil([&] { return !label.fadeRunning(); }, 5000));
  EXPECT_GT(inked(), 20);
  EXPECT_EQ(label.text(), "Talvek");

  label.clear();
  label.redraw();
  EXPECT_EQ(inked(), 0);
  animatedTransitions(before);
}

TEST_F(LabelOnForm, AHiddenLabelDrawsNothingUntilShownAndThenItsLatestText) {
  Label label;
  ASSERT_TRUE(label.create(form.objectId(), kArea, "即将开启Talvek之旅...",
                           describeTextStyle(0, std::nullopt, 16, 0xFFFFFFFF, 0), false));
  EXPECT_EQ(label.visible(), 0);
  EXPECT_EQ(inked(), 0);
  label.setText("Talvek", true);
  EXPECT_EQ(inked(), 0);

  label.visible(1);
  const int shown = inked();
  EXPECT_GT(shown, 20);
  Label sameText;
  ASSERT_TRUE(sameText.create(form.objectId(), {20, 80, 200, 40}, "Talvek",
                              describeTextStyle(0, std::nullopt, 16, 0xFFFFFFFF, 0)));
  EXPECT_EQ(pixelsNotEqual(form.canvas(), {20, 80, 200, 40}, kFormColour), shown) << "the text set while hidden";
}

}  // namespace
}  // namespace talvek::test
