#include "toolkit/core/FrameCache.h"

#include <algorithm>

#include "toolkit/core/RowSpans.h"
#include "toolkit/core/ToolkitSettings.h"

namespace talvek {
namespace {

constexpr int kIconBottom = 6 + 16;
// Beyond the rounded corners' arcs: the widest shadow stroke's half, the
// outlines and the title's glow, with room to spare. Rows that turn out
// not to be alike only cost the copying.
constexpr int kEndMargin = 16;
// The middle rows a frame drawn short keeps: enough to see them alike.
constexpr int kCompactMiddleRows = 8;

int cornerRows(const FrameLook& look) { return 2 * (std::max(look.cornerRadius, 0) + 2) + kEndMargin; }

}  // namespace

FrameCache::Key FrameCache::keyOf(const FrameLook& look, int width) {
  Key key;
  key.width = width;
  key.frameInset = look.frameInset;
  key.shadow = look.shadow;
  key.cornerRadius = look.cornerRadius;
  key.shadowColour = look.shadowColour;
  key.backgroundImage = look.backgroundImage;
  key.backgroundColor = look.backgroundColor;
  key.icon = look.icon;
  key.titleStyle = look.titleStyle;
  key.title = look.title;
  key.captionWidth = look.captionRect.width;
  key.captionHeight = look.captionRect.height;
  key.colour1 = look.colour1;
  key.colour2 = look.colour2;
  key.renderingHint = textRenderingHint();
  return key;
}

void FrameCache::forget() {
  picture_ = MemoryCanvas();
  key_.reset();
  stretchable_ = false;
}

bool FrameCache::paint(MemoryCanvas& target, const FrameLook& look) {
  if (!target) return false;
  Key key = keyOf(look, target.width());
  if (key_ && *key_ == key && copyInto(target)) return true;
  drawAnew(look, target);
  key_ = std::move(key);
  if (copyInto(target)) return false;
  // No room for a copy: draw straight into the target.
  forget();
  target.clear();
  drawFrame(target, look);
  return false;
}

void FrameCache::drawAnew(const FrameLook& look, const MemoryCanvas& target) {
  picture_ = MemoryCanvas();
  stretchable_ = false;
  measureEnds(look, target);
  // The straight middle costs as much to draw as it is tall (the shadow's
  // strokes and the body run the window's whole height), yet its rows are
  // all alike: a frame drawn just tall enough for its ends is stretched to
  // the target like one drawn at another height.
  if (!look.backgroundImage) {
    if (const int units = compactHeight(target); units > 0) {
      picture_ = MemoryCanvas(target.width(), pixelRows(target, units));
      picture_.setDrawingSize(target.drawingWidth(), units);
      if (picture_) drawFrame(picture_, look);
      stretchable_ = picture_.rowsAlike(top_, picture_.height() - bottom_);
      if (stretchable_) return;
    }
  }
  picture_ = MemoryCanvas::like(target);
  if (!picture_) return;
  drawFrame(picture_, look);
  // A background image is stretched over the body: its rows differ.
  stretchable_ = !look.backgroundImage && picture_.rowsAlike(top_, picture_.height() - bottom_);
}

void FrameCache::measureEnds(const FrameLook& look, const MemoryCanvas& target) {
  int topEnd = look.frameInset;
  if (look.icon) topEnd = std::max(topEnd, look.frameInset + kIconBottom);
  if (look.titleStyle && !look.title.empty()) {
    const Rect title = titleRect(look);
    topEnd = std::max(topEnd, title.y + title.height);
  }
  // In pixel rows: one more for what a scaled edge spills.
  const auto rows = [&](int units) {
    return target.drawingHeight() == target.height() ? units : target.pixelRect(Rect{0, 0, 1, units}).height + 1;
  };
  top_ = rows(topEnd + cornerRows(look));
  bottom_ = rows(look.frameInset + cornerRows(look));
}

int FrameCache::pixelRows(const MemoryCanvas& target, int units) {
  return static_cast<int>(static_cast<long long>(units) * target.height() / target.drawingHeight());
}

int FrameCache::compactHeight(const MemoryCanvas& target) const {
  const long long units = target.drawingHeight(), rows = target.height();
  if (units <= 0 || rows <= 0) return 0;
  // Leaving out a whole number of rows keeps the bottom end on the pixel
  // grid as the target has it, and the short picture at the target's scale.
  const long long needed = top_ + bottom_ + kCompactMiddleRows;
  // The first height with room for `needed` pixel rows, rounded up.
  for (long long shortUnits = (needed * units + rows - 1) / rows; shortUnits < units; ++shortUnits) {
    if ((units - shortUnits) * rows % units == 0) return static_cast<int>(shortUnits);
  }
  return 0;
}

bool FrameCache::copyInto(MemoryCanvas& target) const {
  if (!picture_ || picture_.width() != target.width() || picture_.drawingWidth() != target.drawingWidth()) return false;
  if (picture_.height() == target.height()) return target.copyRows(picture_, 0, 0, target.height());
  if (!stretchable_) return false;
  const std::vector<RowSpan> spans = stretchedRowSpans(picture_.height(), target.height(), top_, bottom_);
  if (spans.empty()) return false;
  for (const RowSpan& span : spans) {
    if (!target.copyRows(picture_, span.sourceY, span.targetY, span.count)) return false;
  }
  return true;
}

}  // namespace talvek
