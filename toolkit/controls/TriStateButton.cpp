#include "toolkit/controls/TriStateButton.h"

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/controls/ControlImage.h"

namespace talvek {

bool TriStateButton::create(ControlRef parentRef, const Rect& area, GdiplusImage normal, GdiplusImage hover,
                            GdiplusImage pressed) {
  if (created()) return false;
  storeImages(std::move(normal), std::move(hover), std::move(pressed));
  state_ = kNormal;
  if (!initControl(parentRef, area, u"", 0, 1, 0, 0)) return false;
  redraw();
  return true;
}

bool TriStateButton::create(ControlRef parentRef, const Rect& area, ByteView normal, ByteView hover, ByteView pressed) {
  return create(parentRef, area, imageFromBytes(normal), imageFromBytes(hover), imageFromBytes(pressed));
}

void TriStateButton::setImages(GdiplusImage normal, GdiplusImage hover, GdiplusImage pressed) {
  storeImages(std::move(normal), std::move(hover), std::move(pressed));
  redraw();
}

void TriStateButton::setImages(ByteView normal, ByteView hover, ByteView pressed) {
  setImages(imageFromBytes(normal), imageFromBytes(hover), imageFromBytes(pressed));
}

void TriStateButton::clearImages() {
  for (GdiplusImage& image : stateImages_) image.reset();
  state_ = kNoState;
}

const GdiplusImage& TriStateButton::stateImage(int index) const {
  static const GdiplusImage none;
  return index >= 0 && index < static_cast<int>(stateImages_.size()) ? stateImages_[index] : none;
}

void TriStateButton::refresh() { fadeRedraw(kDefaultFadeInterval, kDefaultFadeStep, 0); }

std::unique_ptr<Control> TriStateButton::clone() const {
  auto copy = std::make_unique<TriStateButton>();
  copyBaseInto(*copy);
  for (std::size_t i = 0; i < stateImages_.size(); ++i) copy->stateImages_[i] = copyImage(stateImages_[i]);
  copy->state_ = state_;
  return copy;
}

void TriStateButton::storeImages(GdiplusImage normal, GdiplusImage hover, GdiplusImage pressed) {
  // Each assignment disposes the picture it replaces.
  stateImages_[0] = std::move(normal);
  stateImages_[1] = std::move(hover);
  stateImages_[2] = std::move(pressed);
}

void TriStateButton::showState(int state) {
  state_ = state;
  refresh();
}

void TriStateButton::paint(Gdiplus::GpGraphics* graphics) {
  if (state_ >= kNormal && state_ <= kPressed) drawImageAtOrigin(graphics, stateImages_[state_ - 1]);
}

void TriStateButton::onLeftDown(POINT /*point*/) { showState(kPressed); }
void TriStateButton::onMouseEnter() { showState(kHover); }
void TriStateButton::onMouseLeave() { showState(kNormal); }

void TriStateButton::fillFacts(ControlFacts& facts) { facts.kind = ControlKind::kTriStateButton; }

}  // namespace talvek
