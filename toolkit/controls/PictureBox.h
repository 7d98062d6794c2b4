// A still picture: the installer's header image and logo. The box owns its
// picture and disposes it when it is replaced or cleared.
#pragma once

#include "toolkit/controls/Control.h"
#include "toolkit/core/ByteBlock.h"
#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

class PictureBox final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~PictureBox() override { unregister(); }

  // Takes the picture (an empty one draws nothing). Not focusable, shown,
  // enabled, no hand cursor; drawn at once.
  bool create(ControlRef parentRef, const Rect& area, GdiplusImage picture);
  bool create(ControlRef parentRef, const Rect& area, ByteView imageBytes);
  void setPicture(GdiplusImage picture);
  void setPicture(ByteView imageBytes);
  // The box then draws nothing; true when GDI+ disposed a picture.
  bool clearPicture();

  const GdiplusImage& picture() const { return picture_; }
  std::unique_ptr<Control> clone() const override;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;
  // A disabled picture box only lets the mouse through to what lies below.
  bool showsDisabledState() const override { return false; }

 private:
  GdiplusImage picture_;
};

}  // namespace talvek
