// A single picture that darkens what lies behind it while the mouse is
// over it: the installer's close, folder and advanced-settings buttons.
#pragma once

#include "toolkit/controls/Control.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

// The hover look fades in and out over eleven ticks of this interval.
inline constexpr int kImageButtonFadeIntervalMs = 5;

class ImageButton final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~ImageButton() override { unregister(); }

  // Decodes the bytes (no picture when they are not an image). Not
  // focusable, shown, enabled, no hand cursor; drawn at once.
  bool create(ControlRef parentRef, const Rect& area, ByteView imageBytes);
  // The same with a picture already decoded (and its larger drawings).
  bool create(ControlRef parentRef, const Rect& area, GdiplusImage image);
  // Fades to the current look.
  void refresh();
  // The previous picture is disposed: the button was its only holder.
  void setImage(ByteView imageBytes);

  bool hover() const { return hover_ != 0; }
  const GdiplusImage& image() const { return image_; }
  std::unique_ptr<Control> clone() const override;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  void onMouseEnter() override;
  void onMouseLeave() override;

 private:
  int hover_ = 0;
  GdiplusImage image_;
};

}  // namespace talvek
