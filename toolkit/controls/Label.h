// A line or block of styled text: the installer's status line.
#pragma once

#include <string>

#include "toolkit/controls/Control.h"
#include "toolkit/core/TextStyle.h"

namespace talvek {

class Label final : public Control {
 public:
  void fillFacts(ControlFacts& facts) override;
  ~Label() override { unregister(); }

  // Text in the system code page. Not focusable, enabled, shown unless
  // told otherwise; a shown label is drawn at once, a hidden one when shown.
  bool create(ControlRef parentRef, const Rect& area, const std::string& text,
              const TextStyleDescription& description, bool shown = true);
  // Immediately, or cross-faded from the old text.
  void setText(const std::string& text, bool immediate);
  // Frees the style and empties the text.
  void clear();
  const std::string& text() const { return text_; }
  std::unique_ptr<Control> clone() const override;

 protected:
  void paint(Gdiplus::GpGraphics* graphics) override;

 private:
  std::string text_;
  TextStyle style_;
};

}  // namespace talvek
