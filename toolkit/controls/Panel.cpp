#include "toolkit/controls/Panel.h"

#include "toolkit/controls/ControlFacts.h"

namespace talvek {

bool Panel::create(ControlRef parentRef, const Rect& area, Argb backColor) {
  if (created()) return false;
  backColor_ = backColor;
  if (!initControl(parentRef, area, u"", 0, 1, 0, 0)) return false;
  redraw();
  return true;
}

void Panel::setBackColor(Argb backColor) {
  backColor_ = backColor;
  fadeRedraw(kPanelColorFadeIntervalMs, kPanelColorFadeStep, 0);
}

std::unique_ptr<Control> Panel::clone() const {
  auto copy = std::make_unique<Panel>();
  copyBaseInto(*copy);
  copy->backColor_ = backColor_;
  return copy;
}

// A transparent panel only groups and catches the mouse; filling it would
// walk every pixel of the window's size for nothing.
bool Panel::drawsNothing() const { return (backColor_ >> 24) == 0; }

void Panel::paint(Gdiplus::GpGraphics* graphics) {
  if (drawsNothing()) return;
  Gdiplus::GpSolidFill* fill = nullptr;
  if (gdip::GdipCreateSolidFill(backColor_, &fill) != Gdiplus::Ok) return;
  GdiplusBrush brush;
  brush.reset(fill);
  gdip::GdipFillRectangleI(graphics, brush.get(), 0, 0, bounds().width, bounds().height);
}

void Panel::fillFacts(ControlFacts& facts) { facts.kind = ControlKind::kPanel; }

}  // namespace talvek
