#include "toolkit/controls/PictureBox.h"

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/controls/ControlImage.h"

namespace talvek {

bool PictureBox::create(ControlRef parentRef, const Rect& area, GdiplusImage picture) {
  if (created()) return false;
  picture_ = std::move(picture);
  if (!initControl(parentRef, area, u"", 0, 1, 0, 0)) return false;
  redraw();
  return true;
}

bool PictureBox::create(ControlRef parentRef, const Rect& area, ByteView imageBytes) {
  return create(parentRef, area, imageFromBytes(imageBytes));
}

void PictureBox::setPicture(GdiplusImage picture) {
  picture_ = std::move(picture);
  redraw();
}

void PictureBox::setPicture(ByteView imageBytes) { setPicture(imageFromBytes(imageBytes)); }

bool PictureBox::clearPicture() {
  // Disposing nothing is what GDI+ calls an invalid parameter.
  return disposeImage(picture_.release()) == Gdiplus::Ok;
}

std::unique_ptr<Control> PictureBox::clone() const {
  auto copy = std::make_unique<PictureBox>();
  copyBaseInto(*copy);
  copy->picture_ = copyImage(picture_);
  return copy;
}

void PictureBox::paint(Gdiplus::GpGraphics* graphics) { drawImageAtOrigin(graphics, picture_); }

void PictureBox::fillFacts(ControlFacts& facts) { facts.kind = ControlKind::kPictureBox; }

}  // namespace talvek
