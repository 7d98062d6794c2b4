#include "toolkit/controls/EditBoxPainter.h"

#include <algorithm>
#include <string>

#include "toolkit/controls/DrawingHelpers.h"
#include "toolkit/controls/EditLayout.h"
#include "toolkit/core/PictureDrawing.h"
#include "toolkit/core/StyledText.h"

namespace talvek {
namespace {

constexpr int kIconSize = 16;
constexpr int kIconX = 4;

// Restores the graphics state (clip included) on scope exit.
class SavedGraphicsState {
 public:
  explicit SavedGraphicsState(Gdiplus::GpGraphics* graphics) : graphics_(graphics) {
    gdip::GdipSaveGraphics(graphics_, &state_);
  }
  ~SavedGraphicsState() { gdip::GdipRestoreGraphics(graphics_, state_); }
  SavedGraphicsState(const SavedGraphicsState&) = delete;
  SavedGraphicsState& operator=(const SavedGraphicsState&) = delete;

 private:
  Gdiplus::GpGraphics* graphics_;
  Gdiplus::GraphicsState state_ = 0;
};

void clipTo(Gdiplus::GpGraphics* graphics, const Gdiplus::RectF& area) {
  gdip::GdipSetClipRect(graphics, area.X, area.Y, area.Width, area.Height, Gdiplus::CombineModeIntersect);
}

struct TextPlacement {
  Gdiplus::RectF area;    // the text area
  Gdiplus::RectF layout;  // where the whole text is laid out, scrolled
};

TextPlacement placeText(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, const std::u16string& shown) {
  TextPlacement p;
  p.area = lookTextArea(look);
  // Wide enough for the whole text, so the scrolled text is never cut by its
  // layout (only by the clip to the text area).
  const float textWidth = prefixWidth(graphics, look.style, shown, static_cast<int>(shown.size()));
  p.layout = Gdiplus::RectF(p.area.X + look.textOffset, p.area.Y,
                            std::max(p.area.Width - look.textOffset, textWidth + 2), p.area.Height);
  return p;
}

// The columns of characters [start, start + length) in control coordinates.
Gdiplus::RectF rangeColumns(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, const TextPlacement& place,
                            const std::u16string& shown, int start, int length) {
  const float left = prefixWidth(graphics, look.style, shown, start);
  const float right = prefixWidth(graphics, look.style, shown, start + length);
  return Gdiplus::RectF(place.layout.X + left, place.area.Y, right - left, place.area.Height);
}

void paintBackground(Gdiplus::GpGraphics* graphics, const EditBoxLook& look) {
  if (look.backShown) {
    if (look.backImage) {
      drawPicture(graphics, look.backImage, {0, 0, look.width, look.height});
    } else {
      fillRect(graphics, look.colors.back, 0, 0, look.width - 1, look.height - 1);
    }
  }
  if (look.frameShown) {
    drawRect(graphics, look.hot ? look.colors.focusFrame : look.colors.frame, 0, 0, look.width - 1, look.height - 1, 1);
  }
  if (look.icon) {
    drawPicture(graphics, look.icon, {kIconX, (look.height - kIconSize) / 2, kIconSize, kIconSize});
  }
}

void paintHighlights(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, const TextPlacement& place,
                     const std::u16string& shown) {
  if (!look.highlights) return;
  const int length = static_cast<int>(shown.size());
  for (const EditHighlight& h : *look.highlights) {
    int start = std::clamp(h.start, 0, length);
    int end = std::clamp(h.start + std::max(0, h.length), start, length);
    if (end == start) continue;
    SavedGraphicsState saved(graphics);
    clipTo(graphics, place.area);
    clipTo(graphics, rangeColumns(graphics, look, place, shown, start, end - start));
    drawTextInColor(graphics, look.style, shown, place.layout, h.color);
  }
}

float caretX(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, const TextPlacement& place,
             const std::u16string& shown) {
  return place.layout.X + prefixWidth(graphics, look.style, shown, look.model.caret());
}

void paintCaret(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, const TextPlacement& place,
                const std::u16string& shown) {
  float fontHeight = 0;
  gdip::GdipGetFontHeight(look.style.font(), graphics, &fontHeight);
  const float x = caretX(graphics, look, place, shown);
  GdiplusPen pen;
  if (gdip::GdipCreatePen1(look.colors.caret, 1, Gdiplus::UnitPixel, pen.put()) != Gdiplus::Ok) return;
  gdip::GdipDrawLine(graphics, pen.get(), x, place.area.Y, x, place.area.Y + fontHeight);
}

}  // namespace

Gdiplus::RectF editTextArea(int width, int height, bool withIcon) {
  const float left = withIcon ? 23.0f : 3.0f;
  return Gdiplus::RectF(left, 3, static_cast<float>(width) - (withIcon ? 26.0f : 6.0f), static_cast<float>(height - 6));
}

Gdiplus::RectF lookTextArea(const EditBoxLook& look) {
  return look.textArea.value_or(editTextArea(look.width, look.height, look.icon != nullptr));
}

Gdiplus::PointF editCaretPoint(Gdiplus::GpGraphics* graphics, const EditBoxLook& look) {
  const std::u16string shown = look.model.shownText();
  const TextPlacement place = placeText(graphics, look, shown);
  return Gdiplus::PointF(caretX(graphics, look, place, shown), place.area.Y);
}

float prefixWidth(Gdiplus::GpGraphics* graphics, const TextStyle& style, std::u16string_view text, int count) {
  count = std::clamp(count, 0, static_cast<int>(text.size()));
  if (count == 0) return 0;
  return measureStyledText(graphics, style, text.substr(0, static_cast<size_t>(count)), Gdiplus::RectF(0, 0, 0, 0))
      .Width;
}

int editCharIndexAt(Gdiplus::GpGraphics* graphics, const EditBoxLook& look, float x) {
  const std::u16string shown = look.model.shownText();
  const TextPlacement place = placeText(graphics, look, shown);
  return charIndexAt(static_cast<int>(shown.size()), x - place.layout.X,
                     [&](int i) { return prefixWidth(graphics, look.style, shown, i); });
}

void paintEditBox(Gdiplus::GpGraphics* graphics, const EditBoxLook& look) {
  if (!graphics || look.width <= 0 || look.height <= 0) return;
  const std::u16string shown = look.model.shownText();
  const TextPlacement place = placeText(graphics, look, shown);
  const EditSelection selection = look.model.selection();

  paintBackground(graphics, look);
  Gdiplus::RectF selected;
  if (selection.length > 0) {
    selected = rangeColumns(graphics, look, place, shown, selection.start, selection.length);
    SavedGraphicsState saved(graphics);
    clipTo(graphics, place.area);
    GdiplusBrush brush;
    Gdiplus::GpSolidFill* fill = nullptr;
    if (gdip::GdipCreateSolidFill(look.colors.selectBack, &fill) == Gdiplus::Ok) brush.reset(fill);
    if (brush) gdip::GdipFillRectangle(graphics, brush.get(), selected.X, selected.Y, selected.Width, selected.Height);
  }
  {
    SavedGraphicsState saved(graphics);
    clipTo(graphics, place.area);
    drawStyledText(graphics, look.style, shown, place.layout, true);
    if (selection.length > 0) {
      clipTo(graphics, selected);
      drawTextInColor(graphics, look.style, shown, place.layout, look.colors.selectText);
    }
  }
  // Over the text, or the text's own colour would cover them.
  paintHighlights(graphics, look, place, shown);
  if (look.caretVisible) paintCaret(graphics, look, place, shown);
}

}  // namespace talvek
