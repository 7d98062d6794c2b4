#include "toolkit/access/AccessibleDescription.h"

#include <gtest/gtest.h>

namespace talvek::accessible {
namespace {

ControlFacts factsOf(ControlKind kind) {
  ControlFacts facts;
  facts.kind = kind;
  return facts;
}

TEST(AccessibleDescription, EachClassHasItsRoleAndButtonsShareOne) {
  EXPECT_EQ(roleOf(ControlKind::kImageButton), kRolePushButton);
  EXPECT_EQ(roleOf(ControlKind::kTriStateButton), kRolePushButton);
  EXPECT_EQ(roleOf(ControlKind::kCheckBox), kRoleCheckButton);
  EXPECT_EQ(roleOf(ControlKind::kEditBox), kRoleText);
  EXPECT_EQ(roleOf(ControlKind::kLabel), kRoleStaticText);
  EXPECT_EQ(roleOf(ControlKind::kPictureBox), kRoleGraphic);
  EXPECT_EQ(roleOf(ControlKind::kProgress), kRoleProgressBar);
  EXPECT_EQ(roleOf(ControlKind::kPanel), kRoleGrouping);
}

TEST(AccessibleDescription, NameComesFromOwnerThenTextThenTip) {
  ControlFacts button = factsOf(ControlKind::kImageButton);
  button.tip = u"高级设置";
  EXPECT_EQ(nameOf(button), u"高级设置");
  button.text = u"设置";
  EXPECT_EQ(nameOf(button), u"设置");
  button.ownerName = u"立即安装";
  EXPECT_EQ(nameOf(button), u"立即安装");
}

TEST(AccessibleDescription, AnEditBoxTextIsItsValueNotItsName) {
  ControlFacts path = factsOf(ControlKind::kEditBox);
  path.text = u"C:\\Program Files\\Talvek\\";
  EXPECT_EQ(nameOf(path), u"");
  EXPECT_EQ(valueOf(path), path.text);
  path.ownerName = u"安装路径";
  EXPECT_EQ(nameOf(path), u"安装路径");
}

TEST(AccessibleDescription, APasswordBoxIsProtectedAndTellsNoValue) {
  ControlFacts secret = factsOf(ControlKind::kEditBox);
  secret.text = u"hunter2";
  secret.password = true;
  EXPECT_FALSE(valueOf(secret).has_value());
  EXPECT_NE(statesOf(secret) & kStateProtected, 0);
  EXPECT_EQ(nameOf(secret), u"");
}

TEST(AccessibleDescription, ProgressValueIsAClampedWholePercentage) {
  ControlFacts ring = factsOf(ControlKind::kProgress);
  ring.percent = 35.4;
  EXPECT_EQ(valueOf(ring), u"35%");
  ring.percent = 250;
  EXPECT_EQ(valueOf(ring), u"100%");
  ring.percent = -3;
  EXPECT_EQ(valueOf(ring), u"0%");
  ring.percent = 0.0 / 0.0;
  EXPECT_EQ(valueOf(ring), u"0%");
  EXPECT_FALSE(valueOf(factsOf(ControlKind::kLabel)).has_value());
}

TEST(AccessibleDescription, StatesFollowTheControl) {
  ControlFacts box = factsOf(ControlKind::kCheckBox);
  box.checked = true;
  EXPECT_EQ(statesOf(box), kStateFocusable | kStateChecked);
  box.shown = false;
  box.disabled = true;
  box.checked = false;
  EXPECT_EQ(statesOf(box), kStateFocusable | kStateInvisible | kStateUnavailable);

  ControlFacts picture = factsOf(ControlKind::kPictureBox);
  picture.offscreen = true;
  picture.hot = true;
  EXPECT_EQ(statesOf(picture), kStateOffscreen | kStateHotTracked);
  picture.focusableFlag = true;
  picture.focused = true;
  EXPECT_EQ(statesOf(picture), kStateOffscreen | kStateHotTracked | kStateFocusable | kStateFocused);

  ControlFacts path = factsOf(ControlKind::kEditBox);
  path.readOnly = true;
  EXPECT_EQ(statesOf(path), kStateFocusable | kStateReadOnly);
  // A label's text is never "checked", whatever the facts say.
  ControlFacts label = factsOf(ControlKind::kLabel);
  label.checked = true;
  label.readOnly = true;
  EXPECT_EQ(statesOf(label), 0);
}

TEST(AccessibleDescription, ActionsAndTabStops) {
  EXPECT_EQ(defaultActionOf(ControlKind::kImageButton), u"按下");
  EXPECT_EQ(defaultActionOf(ControlKind::kTriStateButton), u"按下");
  EXPECT_EQ(defaultActionOf(ControlKind::kCheckBox), u"切换");
  EXPECT_EQ(defaultActionOf(ControlKind::kEditBox), u"");
  EXPECT_EQ(defaultActionOf(ControlKind::kPanel), u"");

  ControlFacts button = factsOf(ControlKind::kTriStateButton);
  EXPECT_TRUE(isTabStop(button));
  button.offscreen = true;
  EXPECT_FALSE(isTabStop(button));
  button.offscreen = false;
  button.disabled = true;
  EXPECT_FALSE(isTabStop(button));
  ControlFacts ring = factsOf(ControlKind::kProgress);
  ring.focusableFlag = true;
  EXPECT_FALSE(isTabStop(ring));

  // The cue frames what keys act on, except a text box: its caret says so.
  EXPECT_TRUE(showsFocusCue(ControlKind::kTriStateButton));
  EXPECT_TRUE(showsFocusCue(ControlKind::kCheckBox));
  EXPECT_TRUE(isTabStop(factsOf(ControlKind::kEditBox)));
  EXPECT_FALSE(showsFocusCue(ControlKind::kEditBox));
  EXPECT_FALSE(showsFocusCue(ControlKind::kLabel));
}

}  // namespace
}  // namespace talvek::accessible
