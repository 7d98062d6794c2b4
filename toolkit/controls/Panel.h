// A plain coloured rectangle: the installer's window background and its
// bottom bar.
#pragma once

#include "toolkit/controls/Control.h"

namespace talvek {

class Panel final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~Panel() override { unregister(); }

  // Not focusable, shown, enabled, no hand cursor; drawn at once.
  bool create(ControlRef parentRef, const Rect& area, Argb backColor);
  // The new colour blends in over the old one.
  void setBackColor(Argb backColor);
  Argb backColor() const { return backColor_; }
  std::unique_ptr<Control> clone() const override;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  bool drawsNothing() const override;

 private:
  Argb backColor_ = 0;
};

}  // namespace talvek
