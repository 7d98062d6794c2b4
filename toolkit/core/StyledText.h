// Draws a wide text with a text style, with the soft glow behind the
// letters when the style asks for it. Every control's text goes through here.
#pragma once

#include <string_view>

#include "toolkit/core/TextStyle.h"

namespace talvek {

// useRectangle: lay the text out in `rectangle` as given; otherwise in the
// rectangle the text measures starting from it.
void drawStyledText(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text,
                    const Gdiplus::RectF& rectangle, bool useRectangle);

// The text in the style's font and format but another colour, without
// glow: selected and highlighted parts are drawn over the text this way.
void drawTextInColor(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text,
                     const Gdiplus::RectF& rectangle, Argb color);

// Where the text lies when laid out from `rectangle` (empty on failure).
Gdiplus::RectF measureStyledText(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text,
                                 const Gdiplus::RectF& rectangle);

struct TextSize {
  int width = 0;
  int height = 0;
};
// The text's size in the style, truncated; without a graphics one for the
// desktop is used.
TextSize measureText(std::u16string_view text, const TextStyle& style, Gdiplus::GpGraphics* graphics = nullptr);

}  // namespace talvek
