#include "toolkit/controls/Label.h"

#include "toolkit/controls/ControlFacts.h"
#include "toolkit/core/AccessibilityHook.h"
#include "toolkit/core/CodePage.h"
#include "toolkit/core/StyledText.h"

namespace talvek {

bool Label::create(ControlRef parentRef, const Rect& area, const std::string& text,
                   const TextStyleDescription& description, bool shown) {
  if (created()) return false;
  style_ = TextStyle::build(description);
  text_ = text;
  if (!initControl(parentRef, area, u"", 0, shown ? 1 : 0, 0, 0)) return false;
  redraw();
  return true;
}

void Label::setText(const std::string& text, bool immediate) {
  text_ = text;
  announceAccessibleChange(EVENT_OBJECT_NAMECHANGE, window, handle);
  if (immediate) {
    redraw();
  } else {
    fadeRedraw(kLabelTextFadeIntervalMs, kLabelTextFadeStep, 0);
  }
}

void Label::clear() {
  style_.free();
  text_.clear();
}

std::unique_ptr<Control> Label::clone() const {
  auto copy = std::make_unique<Label>();
  copyBaseInto(*copy);
  copy->text_ = text_;
  // A style never built or already freed stays that way in the copy.
  if (style_.usable()) copy->style_ = TextStyle::build(style_.description());
  return copy;
}

void Label::paint(Gdiplus::GpGraphics* graphics) {
  if (!style_.usable() || text_.empty()) return;
  const std::wstring wide = toWide(text_);
  const std::u16string_view text(reinterpret_cast<const char16_t*>(wide.data()), wide.size());
  const Gdiplus::RectF area(0, 0, static_cast<Gdiplus::REAL>(bounds().width),
                            static_cast<Gdiplus::REAL>(bounds().height));
  drawStyledText(graphics, style_, text, area, true);
}

void Label::fillFacts(ControlFacts& facts) {
  facts.kind = ControlKind::kLabel;
  facts.text = ansiToUtf16(text());
}

}  // namespace talvek
