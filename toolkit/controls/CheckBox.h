// An on/off option with a caption: a square box as high as the control on
// the left, the check mark inside it when checked, the caption to its
// right. A click toggles at once and the box grows back from its centre.
#pragma once

#include <optional>
#include <string>

#include "toolkit/controls/CheckBoxState.h"
#include "toolkit/controls/Control.h"
#include "toolkit/core/GdiplusHandles.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

class CheckBox final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~CheckBox() override { unregister(); }

  // Caption in the system code page. Without a box colour the box is
  // white; without a caption style the caption is bold white on a blue
  // glow colour. Not focusable, shown, enabled; drawn at once. False when
  // already created or the parent is unknown.
  bool create(ControlRef parentRef, const Rect& area, std::optional<Argb> boxColor, std::optional<Argb> markColor,
              const std::string& caption, std::optional<TextStyleDescription> captionStyle = std::nullopt);

  // A given value (non-zero = checked) is shown at once, without the box
  // animation; the current state returns as 0 or 1.
  int checked(std::optional<int> value = std::nullopt);

  bool isChecked() const { return state_.checked(); }
  bool animating() const { return state_.animating(); }
  int boxInset() const { return state_.boxInset(); }
  Argb boxColor() const { return boxColor_; }
  Argb markColor() const { return markColor_; }
  const std::string& captionText() const { return captionText_; }
  std::unique_ptr<Control> clone() const override;

  static constexpr int kAnimationTimerKey = 1;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  void onLeftDown(POINT point) override;
  void onTimer(int key, int value) override;
  void onDestroy() override;

 private:
  std::string captionText_;
  Argb markColor_ = 0;
  Argb boxColor_ = 0;
  Rect boxBounds_;
  TextStyle captionStyle_;
  CheckBoxState state_{0, 0};
  GdiplusBitmap markImage_;
};

}  // namespace talvek
