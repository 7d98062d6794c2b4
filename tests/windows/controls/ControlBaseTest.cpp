#include <gtest/gtest.h>

#include <vector>

#include "tests/windows/controls/FormFixture.h"
#include "tests/windows/controls/TestColours.h"
#include "tests/windows/controls/TestImages.h"
#include "toolkit/controls/CheckBox.h"
#include "toolkit/controls/EditBox.h"
#include "toolkit/controls/ImageButton.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/PictureBox.h"
#include "toolkit/controls/ProgressIndicator.h"
#include "toolkit/controls/TriStateButton.h"
#include "toolkit/core/ControlEvents.h"
#include "toolkit/core/MessageRouter.h"
#include "toolkit/core/TextStyleFlags.h"
#include "toolkit/core/WindowProperties.h"

namespace talvek::test {
namespace {


// Records what reaches the hooks a derived control may override.
class HookProbe final : public Control {
 public:
  ~HookProbe() override { unregister(); }
  bool create(ControlRef parentRef, const Rect& area, const std::u16string& caption = u"") {
    return initControl(parentRef, area, caption, 1, 1, 0, 0);
  }
  std::vector<std::vector<std::intptr_t>> calls;  // hook id, arguments...

 protected:
  void paint(Gdiplus::GpGraphics*) override {}
  void onWindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
    calls.push_back({32, static_cast<std::intptr_t>(message), static_cast<std::intptr_t>(wParam), lParam});
  }
  void onEvent301(std::intptr_t arg1, std::intptr_t arg2) override { calls.push_back({301, arg1, arg2}); }
  void onCaptionChanged() override { calls.push_back({35}); }
};

// One channel of `over` after blending an opaque `colour` onto it with
// constant alpha 255 - transparency.
int blendedChannel(Argb colour, Argb under, int shift, int transparency) {
  const int alpha = 255 - transparency;
  const int top = static_cast<int>((colour >> shift) & 0xFF);
  const int bottom = static_cast<int>((under >> shift) & 0xFF);
  return (top * alpha + bottom * (255 - alpha)) / 255;
}

void expectNear(Argb actual, Argb colour, Argb under, int transparency) {
  for (int shift : {0, 8, 16}) {
    EXPECT_NEAR(static_cast<int>((actual >> shift) & 0xFF), blendedChannel(colour, under, shift, transparency), 2)
        << "channel at bit " << shift << ", transparency " << transparency;
  }
}

using ControlBase = ControlsOnForm;

TEST_F(ControlBase, WindowMessagesAndTheDerivedEventReachTheirHooks) {
  HookProbe probe;
  ASSERT_TRUE(probe.create(form.objectId(), {10, 10, 20, 20}, u"起"));
  // Creation sets the caption like any other caller.
  EXPECT_EQ(probe.calls, (std::vector<std::vector<std::intptr_t>>{{35}}));
  EXPECT_EQ(probe.caption(), u"起");
  probe.calls.clear();
  MessageParams params{7, -3};
  probe.onEvent(event::kWindowMessage, WM_IME_COMPOSITION, reinterpret_cast<std::intptr_t>(&params));
  probe.onEvent(event::kWindowMessage, WM_IME_COMPOSITION, 0);  // no parameter block: nothing to pass on
  probe.onEvent(control_event::kRichEditContent, 11, 22);
  EXPECT_EQ(probe.calls, (std::vector<std::vector<std::intptr_t>>{{32, WM_IME_COMPOSITION, 7, -3}, {301, 11, 22}}));
}

TEST_F(ControlBase, TransparencyBlendsTheControlOverWhatLiesBelow) {
  Panel under, panel;
  ASSERT_TRUE(under.create(form.objectId(), {10, 10, 60, 60}, kGreen));
  ASSERT_TRUE(panel.create(form.objectId(), {40, 40, 60, 60}, kRed));
  ASSERT_EQ(shown(50, 50), kRed);

  for (int transparency : {64, 128, 200}) {
    EXPECT_EQ(panel.transparency(transparency, true), transparency);
    expectNear(shown(50, 50), kRed, kGreen, transparency);       // over the earlier sibling
    expectNear(shown(90, 90), kRed, kFormColour, transparency);  // over the form
  }
  panel.transparency(255, true);
  EXPECT_EQ(shown(50, 50), kGreen);
  EXPECT_EQ(shown(90, 90), kFormColour);

  // Out of range values are held to the range; a redraw keeps the blend.
  EXPECT_EQ(panel.transparency(300), 255);
  EXPECT_EQ(panel.transparency(-5), 0);
  panel.transparency(128);
  panel.redraw();
  expectNear(shown(50, 50), kRed, kGreen, 128);
  // The earlier sibling's redraw re-blends the later one on top of it.
  under.redraw();
  expectNear(shown(50, 50), kRed, kGreen, 128);
}

TEST_F(ControlBase, CaptionsRoundTripAsSystemCodePageTextAndAsUtf16Bytes) {
  HookProbe probe;
  ASSERT_TRUE(probe.create(form.objectId(), {10, 10, 20, 20}));
  probe.calls.clear();

  probe.setCaptionAnsi("安装Talvek");
  EXPECT_EQ(probe.caption(), u"安装Talvek");
  EXPECT_EQ(probe.captionAnsi(), "安装Talvek");
  const ByteBlock bytes = probe.captionBytes();
  ASSERT_EQ(bytes.size(), 16u);
  EXPECT_EQ(ByteBlock(bytes.begin(), bytes.begin() + 4), (ByteBlock{0x89, 0x5B, 0xC5, 0x88}));
  EXPECT_EQ(bytes[4], 'T');
  EXPECT_EQ(bytes[5], 0);

  // Bytes in, the same text out in every form.
  const ByteBlock chinese{0x2D, 0x4E, 0x87, 0x65, 'a', 0};  // "中文a"
  probe.setCaptionBytes(chinese);
  EXPECT_EQ(probe.captionLength(), 3);
  EXPECT_EQ(probe.captionAnsi(), "中文a");
  EXPECT_EQ(probe.captionBytes(), chinese);

  // A dangling half unit is dropped rather than read past.
  probe.setCaptionBytes(ByteBlock{'o', 0, 'k', 0, 'x'});
  EXPECT_EQ(probe.caption(), u"ok");
  probe.setCaptionBytes(ByteView{});
  EXPECT_EQ(probe.captionLength(), 0);
  EXPECT_TRUE(probe.captionBytes().empty());
  EXPECT_EQ(probe.calls.size(), 4u);  // every setter reported a caption change
}

TEST_F(ControlBase, AClonedPanelIsADetachedCopyThatEitherSideCanOutlive) {
  Panel panel;
  ASSERT_TRUE(panel.create(form.objectId(), {20, 20, 40, 30}, kRed));
  panel.setCaptionAnsi("背景");
  panel.setExtra(u"extra", 5);
  panel.transparency(40);
  const int registered = controlRegistry().count();

  std::unique_ptr<Control> copy = panel.clone();
  ASSERT_NE(copy, nullptr);
  auto* clonedPanel = dynamic_cast<Panel*>(copy.get());
  ASSERT_NE(clonedPanel, nullptr);
  EXPECT_EQ(clonedPanel->backColor(), kRed);
  EXPECT_EQ(copy->getX(), 20);
  EXPECT_EQ(copy->getHeight(), 30);
  EXPECT_EQ(copy->captionAnsi(), "背景");
  EXPECT_EQ(copy->extraText(), u"extra");
  EXPECT_EQ(copy->extraValue(), 5);
  EXPECT_EQ(copy->transparency(), 40);
  EXPECT_EQ(copy->surface().pixel(5, 5), panel.surface().pixel(5, 5));
  EXPECT_NE(copy->surface().dc(), panel.surface().dc());
  EXPECT_EQ(copy->handle, 0);
  EXPECT_FALSE(copy->created());
  EXPECT_EQ(controlRegistry().count(), registered);

  // The copy goes: the original keeps its place and picture.
  copy.reset();
  EXPECT_NE(panel.handle, 0);
  EXPECT_EQ(controlRegistry().count(), registered);
  panel.transparency(0, true);
  EXPECT_EQ(shown(30, 30), kRed);

  // The original goes: a copy taken before can still be created and drawn.
  std::unique_ptr<Control> second = panel.clone();
  panel.unregister();
  ASSERT_TRUE(dynamic_cast<Panel&>(*second).create(form.objectId(), {100, 100, 20, 20}, kGreen));
  EXPECT_EQ(shown(110, 110), kGreen);
}

TEST_F(ControlBase, ClonedImageControlsHoldTheirOwnImages) {
  DisposalLog disposals;
  ImageButton button;
  ASSERT_TRUE(button.create(form.objectId(), {10, 10, 20, 20}, pngBytes(20, 20, [](int, int) { return kRed; })));
  std::unique_ptr<Control> buttonCopy = button.clone();
  const auto& copiedImage = dynamic_cast<ImageButton&>(*buttonCopy).image();
  ASSERT_TRUE(copiedImage);
  EXPECT_NE(copiedImage.get(), button.image().get());

  PictureBox box;
  ASSERT_TRUE(box.create(form.objectId(), {40, 10, 20, 20}, solidImage(20, 20, kGreen)));
  std::unique_ptr<Control> boxCopy = box.clone();
  EXPECT_NE(dynamic_cast<PictureBox&>(*boxCopy).picture().get(), box.picture().get());
  EXPECT_TRUE(box.clearPicture());
  UINT width = 0;
  EXPECT_EQ(gdip::GdipGetImageWidth(dynamic_cast<PictureBox&>(*boxCopy).picture().get(), &width), Gdiplus::Ok);
  EXPECT_EQ(width, 20u);

  TriStateButton tri;
  ASSERT_TRUE(tri.create(form.objectId(), {70, 10, 20, 20}, solidImage(20, 20, kRed), GdiplusImage{},
                         solidImage(20, 20, kGreen)));
  std::unique_ptr<Control> triCopy = tri.clone();
  const auto& copiedTri = dynamic_cast<TriStateButton&>(*triCopy);
  EXPECT_EQ(copiedTri.state(), TriStateButton::kNormal);
  EXPECT_TRUE(copiedTri.stateImage(0));
  EXPECT_FALSE(copiedTri.stateImage(1));
  EXPECT_FALSE(copiedTri.stateImage(3));
  EXPECT_NE(copiedTri.stateImage(2).get(), tri.stateImage(2).get());

  Label label;
  ASSERT_TRUE(
      label.create(form.objectId(), {100, 10, 80, 20}, "标签", describeTextStyle(0, std::nullopt, 12, kRed, 0)));
  std::unique_ptr<Control> labelCopy = label.clone();
  label.clear();
  const auto& copiedLabel = dynamic_cast<Label&>(*labelCopy);
  EXPECT_EQ(copiedLabel.text(), "标签");
  EXPECT_GT(pixelsNotEqual(copiedLabel.surface(), {0, 0, 80, 20}, 0), 0);  // the picture came along

  // Every image, original or copy, is disposed exactly once at the end.
  const std::size_t before = disposals.total();
  buttonCopy.reset();
  boxCopy.reset();
  triCopy.reset();
  EXPECT_EQ(disposals.total(), before + 4);
}

TEST_F(ControlBase, ClonedInputControlsKeepTheirStateWhenTheOriginalGoes) {
  const TextStyleDescription style = describeTextStyle(0, std::nullopt, 12, kRed, 0);
  ProgressIndicator ring;
  ProgressOptions ringOptions;
  ringOptions.maximum = 200;
  ringOptions.position = 50;
  ringOptions.look = 3;
  ringOptions.color1 = kGreen;
  ASSERT_TRUE(ring.create(form.objectId(), {10, 10, 60, 60}, ringOptions));
  CheckBox box;
  ASSERT_TRUE(box.create(form.objectId(), {80, 10, 80, 20}, kRed, std::nullopt, "选项"));
  box.checked(1);
  EditBox edit;
  ASSERT_TRUE(edit.create(form.objectId(), {10, 80, 120, 24}, "路径", style));
  edit.setMaxLength(9);
  edit.setCaret(1);

  std::unique_ptr<Control> ringCopy = ring.clone();
  std::unique_ptr<Control> boxCopy = box.clone();
  std::unique_ptr<Control> editCopy = edit.clone();
  ASSERT_TRUE(ringCopy && boxCopy && editCopy);
  ring.unregister();
  box.unregister();
  edit.unregister();

  auto& ringClone = dynamic_cast<ProgressIndicator&>(*ringCopy);
  EXPECT_EQ(ringClone.position(), 50.0f);
  EXPECT_EQ(ringClone.maximum(), 200.0f);
  EXPECT_EQ(ringClone.look(), 3);
  EXPECT_EQ(ringClone.color1(), kGreen);
  EXPECT_EQ(ringClone.textStyle().fontSize, 16);
  EXPECT_GT(pixelsNotEqual(ringClone.surface(), {0, 0, 60, 60}, 0), 0);  // the picture came along

  auto& boxClone = dynamic_cast<CheckBox&>(*boxCopy);
  EXPECT_TRUE(boxClone.isChecked());
  EXPECT_EQ(boxClone.boxColor(), kRed);
  EXPECT_EQ(boxClone.captionText(), "选项");

  auto& editClone = dynamic_cast<EditBox&>(*editCopy);
  EXPECT_EQ(editClone.text(), u"路径");
  EXPECT_EQ(editClone.caption(), u"路径");
  EXPECT_EQ(editClone.maxLength(), 9);
  EXPECT_EQ(editClone.setCaret(), 1);
  EXPECT_EQ(editClone.textStyle().fontSize, 12);
  EXPECT_EQ(editClone.handle, 0);

  // A copy taken before can be created in its own right.
  ASSERT_TRUE(boxClone.create(form.objectId(), {80, 40, 80, 20}, kGreen, std::nullopt, "另一"));
  EXPECT_NE(boxClone.handle, 0);
}

TEST_F(ControlBase, OnAScaledScreenControlsCoverScaledPixelsAndHearIn96DpiUnits) {
  // What a form on a 150 % screen publishes for its controls.
  SetPropA(form.hwnd(), kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(144)));
  Panel outer, inner;
  ASSERT_TRUE(outer.create(form.objectId(), {11, 11, 60, 60}, kGreen));
  ASSERT_TRUE(inner.create(outer.handle, {21, 0, 21, 21}, kRed));
  std::vector<std::intptr_t> downs;
  inner.setEventProc([&](HWND, ControlRef, int code, std::intptr_t arg1, std::intptr_t, std::intptr_t, std::intptr_t,
                         std::intptr_t) {
    if (code == owner_event::kLeftDown) downs.push_back(arg1);
    return 0;
  });

  // Edges are scaled where they lie in the window: 16.5 and 106.5 round
  // up, and the child starts at 31.5 + 16.5 units, not at its parent's
  // rounded pixel plus its own.
  const Rect o = outer.windowRect, i = inner.windowRect;
  EXPECT_EQ(std::vector<int>({o.x, o.y, o.width, o.height}), std::vector<int>({17, 17, 90, 90}));
  EXPECT_EQ(std::vector<int>({i.x, i.y, i.width, i.height}), std::vector<int>({48, 17, 32, 31}));
  EXPECT_EQ(inner.surface().width(), 32);
  EXPECT_EQ(inner.surface().drawingWidth(), 21);
  EXPECT_EQ(inner.getWidth(), 21) << "the owner keeps its own units";
  // The look, drawn in units, fills every pixel and no more.
  EXPECT_EQ(shown(48, 17), kRed);
  EXPECT_EQ(shown(79, 47), kRed);
  EXPECT_EQ(shown(80, 47), kGreen);
  EXPECT_EQ(shown(79, 48), kGreen);
  EXPECT_EQ(shown(106, 106), kGreen);
  EXPECT_NE(shown(107, 106), kGreen);

  // Hit in pixels, told in the control's units: (30, 29) pixels into it.
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(78, 46));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(78, 46));
  EXPECT_EQ(downs, (std::vector<std::intptr_t>{(19 << 16) | 20}));
  SendMessageW(form.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(81, 46));
  SendMessageW(form.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(81, 46));
  EXPECT_EQ(downs.size(), 1u) << "the pixel right of its last one is the parent's";
  RemovePropA(form.hwnd(), kDpiProperty);
}

}  // namespace
}  // namespace talvek::test
