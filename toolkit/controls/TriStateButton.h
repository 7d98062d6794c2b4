// A button drawn from three pictures, for normal, hover and pressed: the
// installer's install button. Pressing shows the pressed picture until the
// mouse leaves or enters again; releasing does not change it.
#pragma once

#include <array>

#include "toolkit/controls/Control.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

class TriStateButton final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  static constexpr int kNoState = 0;  // after clearImages: draws nothing
  static constexpr int kNormal = 1;
  static constexpr int kHover = 2;
  static constexpr int kPressed = 3;

  ~TriStateButton() override { unregister(); }

  // Takes the three pictures (an empty one draws nothing in its state).
  // Not focusable, shown, enabled, no hand cursor; drawn at once.
  bool create(ControlRef parentRef, const Rect& area, GdiplusImage normal, GdiplusImage hover, GdiplusImage pressed);
  bool create(ControlRef parentRef, const Rect& area, ByteView normal, ByteView hover, ByteView pressed);
  // Disposes the three old pictures; the state stays.
  void setImages(GdiplusImage normal, GdiplusImage hover, GdiplusImage pressed);
  void setImages(ByteView normal, ByteView hover, ByteView pressed);
  void clearImages();
  // Fades to the current state's picture.
  void refresh();

  int state() const { return state_; }
  // Index 0 normal, 1 hover, 2 pressed; an empty image for any other.
  const GdiplusImage& stateImage(int index) const;
  std::unique_ptr<Control> clone() const override;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  void onLeftDown(POINT point) override;
  void onMouseEnter() override;
  void onMouseLeave() override;

 private:
  void storeImages(GdiplusImage normal, GdiplusImage hover, GdiplusImage pressed);
  void showState(int state);

  std::array<GdiplusImage, 3> stateImages_;
  int state_ = kNoState;
};

}  // namespace talvek
