#include "toolkit/controls/CheckBox.h"

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/controls/CheckBoxPainter.h"
#include "toolkit/controls/ControlImage.h"
#include "toolkit/core/CodePage.h"

namespace talvek {

bool CheckBox::create(ControlRef parentRef, const Rect& area, std::optional<Argb> boxColor,
                      std::optional<Argb> markColor, const std::string& caption,
                      std::optional<TextStyleDescription> captionStyle) {
  if (created()) return false;
  captionText_ = caption;
  boxColor_ = boxColor.value_or(kDefaultBoxColor);
  markColor_ = markColor.value_or(kDefaultMarkColor);
  boxBounds_ = area;
  state_ = CheckBoxState(area.width, area.height);
  captionStyle_ = TextStyle::build(captionStyle.value_or(defaultCheckBoxCaptionStyle()));
  markImage_ = checkMarkImage();
  if (!initControl(parentRef, area, u"", 0, 1, 0, 0)) return false;
  redraw();
  return true;
}

int CheckBox::checked(std::optional<int> value) {
  if (value) {
    state_.setChecked(*value != 0);
    redraw();
    announceAccessibleChange(EVENT_OBJECT_STATECHANGE, window, handle);
  }
  return state_.checked() ? 1 : 0;
}

std::unique_ptr<Control> CheckBox::clone() const {
  auto copy = std::make_unique<CheckBox>();
  copyBaseInto(*copy);
  copy->captionText_ = captionText_;
  copy->markColor_ = markColor_;
  copy->boxColor_ = boxColor_;
  copy->boxBounds_ = boxBounds_;
  if (captionStyle_.usable()) copy->captionStyle_ = TextStyle::build(captionStyle_.description());
  copy->state_ = state_;
  copy->markImage_ = copyBitmap(markImage_);
  return copy;
}

void CheckBox::onLeftDown(POINT /*point*/) {
  state_.toggleAndCollapse();
  if (const int interval = state_.animationIntervalMs()) setTimer(kAnimationTimerKey, interval, 0);
  // The state shows at once; the box grows back tick by tick.
  redraw();
  announceAccessibleChange(EVENT_OBJECT_STATECHANGE, window, handle);
}

void CheckBox::onTimer(int key, int /*value*/) {
  if (key != kAnimationTimerKey) return;
  if (!state_.tick()) killTimer(kAnimationTimerKey);
  redraw();
}

void CheckBox::paint(Gdiplus::GpGraphics* graphics) {
  const std::wstring wide = toWide(captionText_);
  const std::u16string_view caption(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
  paintCheckBox(graphics, {state_, disabled() != 0, boxColor_, captionStyle_, caption, markImage_.get()});
}

void CheckBox::onDestroy() {
  captionStyle_.free();
  markImage_.reset();
  captionText_.clear();
  state_ = CheckBoxState(0, 0);
}

void CheckBox::fillFacts(ControlFacts& facts) {
  facts.kind = ControlKind::kCheckBox;
  facts.text = ansiToUtf16(captionText_);
  facts.checked = isChecked();
}

}  // namespace talvek
