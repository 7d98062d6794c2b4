#include "toolkit/controls/ImageButton.h"

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/controls/ControlImage.h"
#include "toolkit/core/RoundRect.h"

namespace talvek {
namespace {

constexpr Argb kHoverBackground = 0xFF000000;

}  // namespace

bool ImageButton::create(ControlRef parentRef, const Rect& area, ByteView imageBytes) {
  return create(parentRef, area, imageFromBytes(imageBytes));
}

bool ImageButton::create(ControlRef parentRef, const Rect& area, GdiplusImage image) {
  if (created() || !initControl(parentRef, area, u"", 0, 1, 0, 0)) return false;
  image_ = std::move(image);
  redraw();
  return true;
}

void ImageButton::refresh() { fadeRedraw(kImageButtonFadeIntervalMs, kDefaultFadeStep, 0); }

void ImageButton::setImage(ByteView imageBytes) {
  image_ = imageFromBytes(imageBytes);
  refresh();
}

std::unique_ptr<Control> ImageButton::clone() const {
  auto copy = std::make_unique<ImageButton>();
  copyBaseInto(*copy);
  copy->hover_ = hover_;
  copy->image_ = copyImage(image_);
  return copy;
}

void ImageButton::paint(Gdiplus::GpGraphics* graphics) {
  if (hover_) fillRect(graphics, kHoverBackground, 0, 0, getWidth(), getHeight());
  drawImageAtOrigin(graphics, image_);
}

void ImageButton::onMouseEnter() {
  hover_ = 1;
  refresh();
}

void ImageButton::onMouseLeave() {
  hover_ = 0;
  refresh();
}

void ImageButton::fillFacts(ControlFacts& facts) { facts.kind = ControlKind::kImageButton; }

}  // namespace talvek
