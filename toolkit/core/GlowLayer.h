// The blurred halo behind glowing text, kept for the last text drawn. A
// busy ring redraws its percentage a hundred times a second, and the blur
// (a high-quality shrink to a third and the stretch back) costs a hundred
// times the letters: while the text, its box, the rendering hint and the
// target's resampling settings stay the same, the stretched halo is only
// blended onto the target, pixel for pixel as the stretch would have.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/core/GdiplusHandles.h"

namespace talvek {

class GlowLayer {
 public:
  // Draws the halo of `text` laid out in `layout` with the given font,
  // format and glow brush. The caller's style owns those objects and this
  // layer, so they cannot change under a kept halo.
  void draw(Gdiplus::GpGraphics* target, Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format,
            Gdiplus::GpBrush* glowBrush, std::u16string_view text, const Gdiplus::RectF& layout);

 private:
  // What the halo's pixels depend on besides the style.
  struct Key {
    std::u16string text;
    // The layout's size and the fraction of its origin.
    float x = 0, y = 0, width = 0, height = 0;
    int hint = -1;
    int interpolation = -1;
    int pixelOffset = -1;
    bool operator==(const Key&) const = default;
  };
  static Key keyFor(Gdiplus::GpGraphics* target, std::u16string_view text, const Gdiplus::RectF& layout);
  void render(Gdiplus::GpFont* font, Gdiplus::GpStringFormat* format, Gdiplus::GpBrush* glowBrush, const Key& key);

  // A style may be drawn from more than one thread (a form's title, say).
  std::mutex mutex_;
  GdiplusBitmap halo_;  // the stretched halo, one pixel wider and taller than the box
  std::optional<Key> key_;
};

}  // namespace talvek
